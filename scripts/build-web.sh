#!/usr/bin/env bash
# Builds the browser version and writes the static site to dist/web:
# kelvo.html?edition=N runs edition N (all ten are in one WebAssembly
# build), index.html shows the ten side by side with a picture of each,
# drawn by kelvo-render built for the same target and run by Node.
#
#   scripts/build-web.sh        then scripts/serve-web.sh to look at it
#
# Installs what is missing (Debian's emscripten, Node, stb), builds into
# build-web/. The site is static: any web server can serve it.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-web
site=$root/dist/web

bash "$root/scripts/install-deps.sh" emscripten nodejs cmake ninja-build libstb-dev
# Debian's emcc finds its JS helpers (acorn) there, where Node does not look.
export NODE_PATH=/usr/share/nodejs

echo "== WebAssembly build in $build"
emcmake cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j "$(nproc)" --target kelvo-web kelvo-render sample_models

rm -rf "$site"
mkdir -p "$site/pictures"
cp "$build"/bin/kelvo-web.{js,wasm,data} "$site/"
cp "$root"/platform/toolkit/web_{page,scrollbar}.js "$site/"
cp "$root/platform/toolkit/web_page.html" "$site/kelvo.html"

# Each edition's picture: the settings its window shows best (edition 2's
# filled renderer draws nothing with "Z sort" on).
settings=(
  "--model torus.atl --frames 30"
  "--model torus.atl --set Check6=0 --set Check8=1 --frames 30"
  "--model sphere.atl --set Check10=1 --frames 20"
  "--model torus.atl --frames 25"
  "--model cube.atl --set Check15=1 --set HScroll2=30 --frames 20"
  "--model sphere.atl --set HScroll2=30 --frames 30"
  "--model torus.atl --set Check3=1 --set Check4=0 --set HScroll2=30 --frames 30"
  "--model torus19000.atl --set HScroll2=30 --frames 45"
  "--model cube.atl --set Check15=1 --set HScroll2=30 --frames 20"
  "--model cube.atl --set Check15=1 --set HScroll1=20 --set HScroll2=30 --frames 25"
)
cards=""
for edition in 1 2 3 4 5 6 7 8 9 10; do
  program=kelvo$edition
  ((edition == 1)) && program=kelvo
  # shellcheck disable=SC2086  # the settings are words
  (cd "$build/bin" && node --no-experimental-fetch kelvo-render.js --edition "$edition" \
    ${settings[edition - 1]} --snapshot "Picture1=$site/pictures/edition$edition.png")
  cards+="  <a class=\"card\" href=\"kelvo.html?edition=$edition\">
    <img src=\"pictures/edition$edition.png\" alt=\"$program drawing a model\">
    <span>$program</span></a>
"
done

cat >"$site/index.html" <<HTML
<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<title>kelvo: a software 3D renderer in ten editions</title>
<link rel="icon" href="data:,">
<style>
  body { margin: 24px; background: #5a6e7f; color: white; font: 14px "DejaVu Sans", sans-serif; }
  h1 { font-size: 22px; margin: 0 0 6px; }
  p { max-width: 60em; }
  .editions { display: grid; grid-template-columns: repeat(5, 325px); gap: 14px; }
  .card { display: block; background: #c0c0c0; color: black; text-decoration: none;
          border: 2px outset #d4d0c8; padding: 4px; text-align: center; }
  .card img { display: block; border: 2px inset #e0e0e0; width: 313px; height: 225px; }
  .card span { display: block; padding: 4px 0 2px; font-weight: bold; }
  .card:hover { outline: 2px solid #a6caf0; }
</style>
</head>
<body>
<h1>kelvo: a software 3D renderer, in ten editions</h1>
<p>Every edition runs here as it does on the desktop: pick a model from the list
on the right of its window and it spins; tick the pipeline's boxes while it runs.
All geometry and pixels are the program's own, compiled to WebAssembly. You can
add your own <code>.atl</code> models to the list. Each picture below was drawn by
<code>kelvo-render</code> from the same code.</p>
<div class="editions">
$cards</div>
</body>
</html>
HTML
echo "Site written to $site ($(du -sh "$site" | cut -f1)); scripts/serve-web.sh serves it."
