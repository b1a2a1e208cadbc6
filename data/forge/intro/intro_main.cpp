// nebulor-intro-forge: renders the intro movie, Intro.mpg.
//
//   nebulor-intro-forge OUTPUT.mpg
//   nebulor-intro-forge --stills FOLDER SECONDS...
//
// The first form paints every frame on all cores and encodes them in order
// as they come; the second writes the pictures at the given times as PNG
// files (before encoding), for reviewing the art.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <mutex>
#include <string>
#include <thread>

#include "data/forge/intro/intro_frame.h"
#include "data/forge/intro/intro_sound.h"
#include "data/forge/intro/intro_timeline.h"
#include "data/forge/intro/mpeg_writer.h"

namespace forge::intro {
namespace {

int Threads() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

// Processor time of the whole program, or of the calling thread alone.
double CpuSeconds(clockid_t clock = CLOCK_PROCESS_CPUTIME_ID) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + now.tv_nsec * 1e-9;
}

int WriteStills(const std::string& folder, int count, char** seconds) {
    const IntroLayers layers = BuildIntroLayers(Threads());
    paint::Canvas canvas(Width, Height);
    for (int i = 0; i < count; ++i) {
        const double at = std::atof(seconds[i]);
        const int frame = std::clamp(static_cast<int>(at * FramesPerSecond + 0.5), 0, FrameCount - 1);
        const double before = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
        RenderIntroFrame(layers, frame, canvas);
        cairo_surface_flush(canvas.surface);
        const double painted = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before;
        char name[64];
        snprintf(name, sizeof name, "/intro-%05.2f.png", TimeOfFrame(frame));
        if (cairo_surface_write_to_png(canvas.surface, (folder + name).c_str()) != CAIRO_STATUS_SUCCESS) {
            fprintf(stderr, "nebulor-intro-forge: cannot write %s%s\n", folder.c_str(), name);
            return 1;
        }
        printf("%s: painted in %.0f ms\n", name + 1, painted * 1000);
    }
    return 0;
}

// Frames painted ahead of the encoder, at most a few per thread.
class FrameQueue {
public:
    FrameQueue(int frames, int ahead) : frames_(frames), ahead_(ahead) {}
    // The next frame for a painter to paint, or -1 when all are taken; waits
    // while the encoder is too far behind.
    int Take() {
        std::unique_lock<std::mutex> lock(mutex_);
        room_.wait(lock, [&] { return next_ >= frames_ || next_ < encoded_ + ahead_; });
        return next_ < frames_ ? next_++ : -1;
    }
    void Done(int frame, std::unique_ptr<paint::Canvas> canvas) {
        std::lock_guard<std::mutex> lock(mutex_);
        done_[frame] = std::move(canvas);
        ready_.notify_all();
    }
    // The painted frame, in order.
    std::unique_ptr<paint::Canvas> Wait(int frame) {
        std::unique_lock<std::mutex> lock(mutex_);
        ready_.wait(lock, [&] { return done_.count(frame) > 0; });
        auto canvas = std::move(done_[frame]);
        done_.erase(frame);
        return canvas;
    }
    void Encoded(int frame) {
        std::lock_guard<std::mutex> lock(mutex_);
        encoded_ = frame + 1;
        room_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable room_, ready_;
    std::map<int, std::unique_ptr<paint::Canvas>> done_;
    int next_ = 0, encoded_ = 0;
    const int frames_, ahead_;
};

int WriteMovie(const std::string& path) {
    const auto wallStart = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    const int threads = Threads();
    const IntroLayers layers = BuildIntroLayers(threads);
    const double layersCpu = CpuSeconds() - cpuStart;
    MpegWriter writer;
    MovieFormat format;
    format.width = Width;
    format.height = Height;
    format.framesPerSecond = FramesPerSecond;
    format.soundRate = SoundRate;
    if (!writer.Open(path, format, IntroSoundTrack())) {
        fprintf(stderr, "nebulor-intro-forge: %s\n", writer.Problem().c_str());
        return 1;
    }
    // The frames from FirstStillFrame on are all the same picture: it is painted once.
    const int painted = FirstStillFrame + 1;
    FrameQueue queue(painted, 2 * threads);
    std::vector<std::thread> painters;
    std::vector<double> paintingCpu(threads, 0.0);
    for (int i = 0; i < threads; ++i)
        painters.emplace_back([&, i] {
            for (int frame; (frame = queue.Take()) >= 0;) {
                const double before = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
                auto canvas = std::make_unique<paint::Canvas>(Width, Height);
                RenderIntroFrame(layers, frame, *canvas);
                cairo_surface_flush(canvas->surface);
                paintingCpu[i] += CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - before;
                queue.Done(frame, std::move(canvas));
            }
        });
    const double encodingStart = CpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    bool ok = true;
    std::unique_ptr<paint::Canvas> canvas;
    for (int frame = 0; frame < FrameCount; ++frame) {
        if (frame < painted) canvas = queue.Wait(frame);
        ok = ok && writer.AddPicture(cairo_image_surface_get_data(canvas->surface),
                                     cairo_image_surface_get_stride(canvas->surface));
        if (frame < painted) queue.Encoded(frame);
    }
    for (auto& painter : painters) painter.join();
    ok = ok && writer.Finish();
    const double encodingCpu = CpuSeconds(CLOCK_THREAD_CPUTIME_ID) - encodingStart;
    if (!ok) {
        fprintf(stderr, "nebulor-intro-forge: %s\n", writer.Problem().c_str());
        return 1;
    }
    const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
    double painting = 0;
    for (double seconds : paintingCpu) painting += seconds;
    printf(
        "intro: %d frames in %.1f s on %d threads; processor time %.1f s: layers %.1f s, frames %.1f s, "
        "encoding %.1f s\n",
        FrameCount, wall, threads, CpuSeconds() - cpuStart, layersCpu, painting, encodingCpu);
    return 0;
}

}  // namespace
}  // namespace forge::intro

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--stills")
        return forge::intro::WriteStills(argv[2], argc - 3, argv + 3);
    if (argc != 2) {
        fprintf(
            stderr,
            "usage: nebulor-intro-forge OUTPUT.mpg\n       nebulor-intro-forge --stills FOLDER SECONDS...\n");
        return 2;
    }
    return forge::intro::WriteMovie(argv[1]);
}
