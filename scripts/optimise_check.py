#!/usr/bin/env python3
"""Does the genetic search find something that holds out of sample?

Generates three seasons of a world with a fixed seed (or reuses them), then
for each search seed: optimises a 単勝 theory on the first two seasons (the
top-ranked runner, fitness = hit rate), and runs the return analysis of the
third season for the final theory and for its starting theory (the best of
the first generation, same seed). Prints every seed's hit and return rates
in and out of sample, and exits 1 when, for the first seed, the final
theory's hit rate on the third season is not higher than the starting
theory's.

    scripts/optimise_check.py                       # build/, a new work dir
    scripts/optimise_check.py --work /tmp/check --seeds 1,2,3 --generations 100

It takes about ten minutes of one core; the ranking of the two seasons is
made once and kept in the work directory.
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

BET = ["--bet", "win", "--box", "1:1"]


def run(ydbcln, data, *args):
    """Runs one command with --json and returns what it printed, parsed."""
    command = [ydbcln, "--data", data, "--json", *args]
    done = subprocess.run(command, stdout=subprocess.PIPE, check=False)
    if done.returncode != 0:
        sys.exit(f"failed ({done.returncode}): {' '.join(command)}")
    return json.loads(done.stdout)


def optimise(ydbcln, data, table, first, last, seed, generations, title):
    """The search's best theory: (its code, its in-sample hit and return rates)."""
    if os.path.exists(table):
        races = ["--load-table", table]
    else:
        races = ["--from", f"{first}0101", "--to", f"{last}1231", "--save-table", table]
    found = run(ydbcln, data, "optimise", *races, *BET, "--seed", str(seed),
                "--generations", str(generations), "--title", title)
    return found["theory_code"], found["best"]["hit_rate"], found["best"]["return_rate"]


def returns(ydbcln, data, code, season):
    """The theory's hit and return rates over a season."""
    summary = run(ydbcln, data, "returns", str(code), "--from", f"{season}0101",
                  "--to", f"{season}1231", *BET)["summary"]
    return summary["hit_rate"], summary["return_rate"]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--ydbcln", default="build/tools/ydbcln/ydbcln")
    parser.add_argument("--work", help="directory for the data set and the ranking")
    parser.add_argument("--origin", type=int, default=2022, help="the first of three seasons")
    parser.add_argument("--world-seed", type=int, default=1)
    parser.add_argument("--seeds", default="1,2,3", help="search seeds; the first decides")
    parser.add_argument("--generations", type=int, default=100)
    options = parser.parse_args()

    work = options.work or tempfile.mkdtemp(prefix="optimise-check-")
    data = os.path.join(work, "data")
    table = os.path.join(work, "two-seasons.ytm")
    first, held_out = options.origin, options.origin + 2
    if not os.path.exists(os.path.join(data, "ydbcln.db")):
        subprocess.run([options.ydbcln, "--data", data, "generate", "--seasons",
                        f"{first}-{held_out}", "--seed", str(options.world_seed)], check=True)

    seeds = [int(s) for s in options.seeds.split(",")]
    print(f"world seed {options.world_seed}; optimised on {first}-{first + 1}, "
          f"held out {held_out}; 単勝 of the top-ranked runner; {options.generations} generations")
    print("seed  theory   hit in  return in  hit out  return out")
    rows = {}
    for seed in seeds:
        for name, generations in (("start", 1), ("final", options.generations)):
            code, hit_in, return_in = optimise(options.ydbcln, data, table, first, first + 1,
                                               seed, generations, f"check {seed} {name}")
            hit_out, return_out = returns(options.ydbcln, data, code, held_out)
            rows[(seed, name)] = hit_out
            print(f"{seed:4}  {name:6} {hit_in:7.2f}% {return_in:9.2f}% "
                  f"{hit_out:7.2f}% {return_out:10.2f}%", flush=True)
    if rows[(seeds[0], "final")] <= rows[(seeds[0], "start")]:
        print(f"seed {seeds[0]}: the final theory hits no more often out of sample")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
