#!/usr/bin/env bash
# The house rules that a machine can check, run by `make test`:
# - SDL, SDL_mixer, SDL_ttf, ImGui and FFmpeg appear only under platform/ (and
#   in the tests' own platform helpers under tests/platform/), Cairo only
#   under data/; the one exception is the forge's movie encoder, which writes
#   Intro.mpg with FFmpeg;
# - the layers: the rules in slot/ never draw and never include the screen
#   (ui/), except ui/messages.h, through which they show their messages; no
#   file outside platform/sdl/ (and the SDL backend's own tests) includes it;
# - the catalogue numbers are named: no sprite, image, sound or font is drawn
#   or played by a bare number;
# - the code is formatted by .clang-format.
set -euo pipefail
cd "$(dirname "$0")/.."
status=0
complain() { echo "$1"; echo "$2" | sed 's/^/  /'; status=1; }
# C++ sources below the folder given (default: the whole tree).
sources() { git ls-files -- "${1:-}*.h" "${1:-}*.cpp" "${1:-}*.cc"; }

bad=$(sources | grep -v -E '^(tests/)?platform/' | grep -v -x 'data/forge/intro/mpeg_writer.cpp' |
      xargs -r grep -l -E '#include *[<"](SDL|imgui|libav|libsw)' || true)
[ -z "$bad" ] || complain "platform headers outside platform/:" "$bad"
bad=$(sources | grep -v -E '^data/' | xargs -r grep -l -E '#include *[<"]cairo' || true)
[ -z "$bad" ] || complain "Cairo outside data/:" "$bad"

bad=$(sources 'slot/' | xargs -r grep -n -E '#include *"ui/' | grep -v -E '#include *"ui/messages\.h"' || true)
[ -z "$bad" ] || complain "slot/ includes the screen (only ui/messages.h is allowed):" "$bad"
bad=$(sources 'slot/' | xargs -r grep -n -E 'platform::(Draw|Sprite|Create|Start|Stop|Flip)' || true)
[ -z "$bad" ] || complain "slot/ draws (drawing belongs in ui/ or core/):" "$bad"
bad=$(sources | grep -v -E '^(tests/)?platform/sdl/' | xargs -r grep -n -E '#include *"platform/sdl/' || true)
[ -z "$bad" ] || complain "platform/sdl/ included from outside the SDL backend:" "$bad"

# A draw, play or window call whose catalogue number is a bare literal.
calls='DrawSprite|PlayEffect|PlayEffectIfIdle|PlayMusic|StopMusic|StopEffect|SoundPlaying|PlaySound|StopSound'
calls+='|DrawBitmapText|TextWidth|TextHeight|SetFontColour|SetFontSize|SetTextAnchor|ResetFontStyle|FontById'
calls+='|SpriteExists|SpriteWidth|SpriteHeight|CreateSprite|CreateSpriteFromPixels|CreateBlankSprite|FreeSprite'
calls+='|StartSpriteDrawing|ImageExists|CreateImage|SpriteDrawImage|OpenWindow|CloseWindow|WindowExists'
calls+='|WindowClientWidth|WindowClientHeight|LoadMovie|PlayMovie|StopMovie|CreateWindowMenu'
bad=$(for dir in core/ slot/ ui/ assets/ persist/ tools/ bench/; do sources "$dir"; done |
      xargs -r grep -n -E "\b($calls)\( *-?[0-9]|AddCellAnimation\([^,]+, *[0-9]|AddParticle\([^,]+,[^,]+, *[0-9]" || true)
[ -z "$bad" ] || complain "bare catalogue numbers (name them in assets/catalogue_numbers.h):" "$bad"

# The layout of every C++ file is the one .clang-format gives.
bad=$(sources | xargs -r clang-format --dry-run --Werror 2>&1 | grep -o -E '^[^:]+\.(h|cpp|cc):' | sed 's/:$//' | sort -u || true)
[ -z "$bad" ] || complain "not formatted by .clang-format (run clang-format -i on them):" "$bad"

if [ $status -ne 0 ]; then exit 1; fi
echo "style check: platform headers in their folders, layers kept, catalogue numbers named, code formatted"
