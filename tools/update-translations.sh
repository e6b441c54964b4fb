#!/usr/bin/env bash
# Gathers every text of the program (Text::tr and QT_TRANSLATE_NOOP) into the translation
# catalogue translations/suppbeforestart_en.ts, keeping the translations it has; a new text
# arrives untranslated, for the translator (Qt Linguist, or an editor) to fill in. The build
# compiles the catalogue into the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh qt6-l10n-tools
/usr/lib/qt6/bin/lupdate -silent -no-obsolete -locations none \
  app suppbeforestart opening report import datamodule toolkit \
  -ts translations/suppbeforestart_en.ts
