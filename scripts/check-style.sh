#!/usr/bin/env bash
# House rule: SDL, SDL_mixer, SDL_ttf, ImGui and FFmpeg appear only under platform/
# (and in the tests' own platform helpers under tests/platform/), and Cairo only under data/.
# The one exception is the forge's movie encoder, which writes Intro.mpg with FFmpeg.
set -euo pipefail
cd "$(dirname "$0")/.."
bad=$(git ls-files -- '*.h' '*.cpp' '*.cc' | grep -v -E '^(tests/)?platform/' |
      grep -v -x 'data/forge/intro/mpeg_writer.cpp' |
      xargs -r grep -l -E '#include *[<"](SDL|imgui|libav|libsw)' || true)
cairo=$(git ls-files -- '*.h' '*.cpp' '*.cc' | grep -v -E '^data/' |
      xargs -r grep -l -E '#include *[<"]cairo' || true)
if [ -n "$bad$cairo" ]; then
  echo "platform headers outside their folder:"; echo "$bad"; echo "$cairo"
  exit 1
fi
echo "style check: platform headers stay in their folders"
