#include "core/count_up.h"

#include <algorithm>
#include <cmath>

#include "core/game_state.h"
#include "platform/platform.h"

void StartCountUp(int64_t* target, int64_t amount, int64_t duration) {
    const int64_t clock = platform::ElapsedMilliseconds();
    CountUp record;
    record.duration = duration;
    record.amount = amount;
    record.remaining = amount;
    record.target = target;
    record.endTime = clock + duration;
    // Queued transfers run one after the other.
    for (const CountUp& queued : Game.CountUps) record.endTime += queued.endTime - clock;
    Game.CountUps.push_back(record);
}

int64_t StepCountUps(int64_t* display) {
    const int64_t clock = platform::ElapsedMilliseconds();
    auto& list = Game.CountUps;
    if (!list.empty()) *display = 0;
    bool running = false;
    size_t keep = 0;
    for (size_t i = 0; i < list.size(); ++i) {
        CountUp record = list[i];
        if (clock > record.endTime || record.duration <= 0) {
            *record.target += record.remaining;  // the whole rest arrives and the record goes
            continue;
        }
        if (!running) {
            // Only the first running transfer advances.
            const double left =
                static_cast<double>(record.endTime - clock) / static_cast<double>(record.duration);
            // A transfer queued behind two others may wait longer than its own
            // duration: it never takes back what it already delivered.
            const int64_t fresh =
                std::min<int64_t>(record.remaining, std::llround(static_cast<double>(record.amount) * left));
            *record.target += record.remaining - fresh;
            record.remaining = fresh;
        }
        *display += record.remaining;
        running = true;
        list[keep++] = record;
    }
    list.resize(keep);
    return running ? 1 : 0;
}
