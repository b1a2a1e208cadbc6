// The intro movie's story, second by second, and the camera that flies it.
// The pictures and the sound track both read their moments from here, so a
// planet's whoosh and a reel's stop land on the frame that shows them.
//
//   0.0 -  1.2  out of black into the nebula, the flight picks up speed
//   1.2 -  7.5  the flight: clouds rush past, the four level planets pass
//   7.0 - 10.0  the reel frame ahead grows, the camera slows to a creep
//                (and keeps creeping closer, ever slower, until 18 s)
//  10.3 - 11.5  the spinning reels stop one by one on a line of wilds
//  11.7 - 13.5  the line lights up and its light flies into the lettering
//  13.5 - 15.2  the logo flashes into being, its orbit draws round it
//  15.0 - 18.0  everything settles; from 18 s the picture holds still
#pragma once

namespace forge::intro {

constexpr int Width = 1280, Height = 768;
constexpr int FramesPerSecond = 25;
constexpr double Length = 20.0;  // seconds
constexpr int FrameCount = static_cast<int>(Length * FramesPerSecond);

// Seconds of the frame with this number.
constexpr double TimeOfFrame(int frame) { return static_cast<double>(frame) / FramesPerSecond; }

constexpr double FadeInEnd = 1.2;
// When each level planet (2, 3, 4, 5) is nearest, passing the camera.
constexpr double PlanetPass[4] = {2.6, 4.0, 5.5, 7.0};
constexpr double SlowDownFrom = 7.0;
constexpr double Arrival = 10.0;  // the flight is over: from here the camera only creeps
constexpr double ReelStop[5] = {10.3, 10.6, 10.9, 11.2, 11.5};
constexpr double LineLight = 11.7;   // the line of wilds lights up
constexpr double LightFlies = 12.1;  // its light leaves for the lettering
constexpr double LogoFlash = 13.5;   // the lettering flashes into being
constexpr double ShineSweep = 14.4;  // a gleam runs across the lettering
constexpr double LastGlint = 16.3;   // a glint on the "2" while the picture settles
constexpr double StillFrom = 18.0;   // nothing moves from here to the end
constexpr int FirstStillFrame = static_cast<int>(StillFrom * FramesPerSecond);

// The camera flies along its axis: Travelled(t) is the distance covered at
// time t (world units); it stops growing at StillFrom.
double Travelled(double t);
// How far ahead the reel frame is (world units): exactly 1 once the camera
// has stopped, where the frame is shown at the game's own size.
double ReelFrameDepth(double t);
// Speed in world units per second.
double Speed(double t);

// Smooth 0..1 step (smootherstep) and the clamped 0..1 progress of t between two times.
double Ease(double x);
double Progress(double t, double from, double to);

}  // namespace forge::intro
