#!/usr/bin/env bash
# The theory engine beside its pandas peer (peer_factors.py) on the same
# store and the same races: for factors 11, 24 and 19 alone, the races a
# second of `ydbcln predict THEORY --from --to` and of the peer (whole
# process: Python's start, loading, computing), medians of three runs
# alternating, the peer's compute-only rate, their ratio, and whether the
# ranks agree (the library's `ydbcln rank` on a sample of the races).
#
#   bench/peer/run_peer.sh --ydbcln build/tools/ydbcln/ydbcln --data DIR \
#       --from 20240101 --to 20241231 [--sample 200]
#
# DIR is copied to a scratch directory, where a one-factor theory per
# factor is stored. Installs python3-pandas (Debian) when it is missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
ydbcln= data= from= to= sample=200
while (($#)); do
  case $1 in
    --ydbcln) ydbcln=$(realpath "$2"); shift 2 ;;
    --data) data=$2; shift 2 ;;
    --from) from=$2; shift 2 ;;
    --to) to=$2; shift 2 ;;
    --sample) sample=$2; shift 2 ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
done
[[ -n $ydbcln && -n $data && -n $from && -n $to ]] || { sed -n 2,13p "$0" >&2; exit 2; }

# Debian's Python, which Debian's pandas is for.
py=/usr/bin/python3
if ! "$py" -c 'import pandas' 2>/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq python3 python3-pandas >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$data/ydbcln.db" "$work/"
factors=(11 24 19)
for f in "${factors[@]}"; do
  "$ydbcln" --data "$work" theory add --title "peer$f" --item "$f:100" >/dev/null
done

# Seconds of CPU (user + system) and of the wall clock of a command.
measure() {
  /usr/bin/time -f "%U %S %e %M" -o "$work/time" "$@" >"$work/stdout" 2>/dev/null
  awk '{printf "%.3f %.3f %d\n", $1 + $2, $3, $4}' "$work/time"
}
median() { sort -n | sed -n 2p; }

printf '%-7s %14s %14s %16s %8s %10s %12s\n' factor "ydbcln races/s" "pandas races/s" \
  "pandas compute" ratio "ydbcln MiB" "pandas MiB"
for f in "${factors[@]}"; do
  lib=() peer=()
  for k in 1 2 3; do
    lib+=("$(measure "$ydbcln" --data "$work" predict "peer$f" --from "$from" --to "$to" --json)")
    races=$("$py" -c "import json,sys; print(len(json.load(open(sys.argv[1]))['races']))" \
            "$work/stdout")
    peer+=("$(measure "$py" "$here/peer_factors.py" --store "$work/ydbcln.db" --from "$from" \
              --to "$to" --factor "$f" --out "$work/peer$f.jsonl")")
    compute=$("$py" -c "import json,sys; print(json.load(open(sys.argv[1]))['compute_s'])" \
              "$work/stdout")
    peer[-1]="${peer[-1]} $compute"
  done
  # Medians by CPU seconds.
  l=$(printf '%s\n' "${lib[@]}" | median)
  p=$(printf '%s\n' "${peer[@]}" | median)
  read -r lcpu lwall lmem <<<"$l"
  read -r pcpu pwall pmem pcompute <<<"$p"
  awk -v f="$f" -v n="$races" -v lc="$lcpu" -v pc="$pcpu" -v pk="$pcompute" -v lm="$lmem" \
      -v pm="$pmem" 'BEGIN { printf "%-7s %14.0f %14.0f %16.0f %7.2fx %10.1f %12.1f\n",
      f, n / lc, n / pc, n / pk, pc / lc, lm / 1024, pm / 1024 }'
done
echo "(races a CPU second: user + system, medians of 3; load $(cut -d' ' -f1-3 /proc/loadavg))"

# The ranks of a sample of the races, every factor, against the library's.
"$py" - "$ydbcln" "$work" "$sample" "${factors[@]}" <<'PY'
import json, random, subprocess, sys
ydbcln, work, sample, factors = sys.argv[1], sys.argv[2], int(sys.argv[3]), sys.argv[4:]
peer = {}
for f in factors:
    for line in open(f"{work}/peer{f}.jsonl"):
        row = json.loads(line)
        peer[(row["code"], row["factor"])] = row["ranks"]
codes = sorted({code for code, _ in peer})
random.seed(1)
chosen = codes if sample >= len(codes) else random.sample(codes, sample)
agree = differ = 0
for code in chosen:
    args = [ydbcln, "--data", work, "--json", "rank", code]
    for f in factors:
        args += ["--factor", f]
    out = json.loads(subprocess.run(args, check=True, capture_output=True).stdout)
    for item in out["factors"]:
        mine = peer.get((code, item["factor"]))
        if mine == item["ranks"]:
            agree += 1
        else:
            differ += 1
            if differ <= 5:
                print(f"  {code} factor {item['factor']}: ydbcln {item['ranks']} pandas {mine}")
print(f"ranks of {len(chosen)} races x {len(factors)} factors: {agree} agree, {differ} differ")
sys.exit(1 if differ else 0)
PY
