# Shared start of the Windows benches: builds the Windows tree and the test
# media, then prepares a throwaway prefix on a private X server (ended on
# exit). Source it from a bench script after setting ROOT.
tools/build.sh win >/dev/null || { echo "bench: build failed" >&2; exit 1; }
tools/make-media.sh "$ROOT/build/media" >/dev/null || { echo "bench: making media failed" >&2; exit 1; }
. tools/wine-env.sh
zv_bench_cleanup() { zv_stop_wine; zv_stop_xvfb; }
trap zv_bench_cleanup EXIT
zv_bench_dir="$ROOT/build/bench-wine"
rm -rf "$zv_bench_dir"
zv_wine_home "$zv_bench_dir/home"
export HOME="$zv_bench_dir/home"
zv_start_xvfb || { echo "bench: no X server" >&2; exit 1; }
zv_wine_prefix "$zv_bench_dir/prefix"
