#!/usr/bin/env python3
"""The peer of the theory engine: three factors ranked the way an analyst
would in pandas, straight from the store's tables (load once, vectorise).

  11  the horse's average position over its latest 3 placed runs on today's
      surface and distance (smaller is better)
  24  the jockey's win rate over the 12 months before the race
  19  the sire's offspring's win rate on today's surface within 200 m of
      today's distance over the 24 months before the race

Every runner of every run race dated FROM..TO is ranked: 1 + the runners
of the race with a strictly better value; 0 for no data or a runner marked
消. Writes one JSON line per race and factor ({"code", "factor",
"ranks"}) to --out and prints the CPU seconds it took to load and to compute.
"""
import argparse
import json
import sqlite3
import sys
import time

import numpy as np
import pandas as pd

RUN = ("ru.finish_pos IS NOT NULL AND (ru.accident_code IS NULL OR "
       "ru.accident_code NOT IN ('34', '35'))")


def load(path, to):
    """Every runner of the run races up to `to`, with its race, and the
    sire of every horse."""
    con = sqlite3.connect(f"file:{path}?mode=ro", uri=True)
    runs = pd.read_sql_query(
        "SELECT ru.race_date AS date, ru.place, ru.race_no, ru.horse_no, ru.horse_code, "
        "ru.jockey_code, ru.sire_code, ru.finish_pos AS pos, ru.prediction_mark, "
        f"r.surface, r.distance, ({RUN}) AS is_run FROM runner ru JOIN race r "
        "ON r.race_date = ru.race_date AND r.place = ru.place AND r.race_no = ru.race_no "
        "WHERE ru.race_date <= ? AND r.has_result = 1", con, params=(to,))
    # The sire of each horse as the horse's record gives it.
    sires = pd.read_sql_query(
        "SELECT code AS horse_code, sire_code AS horse_sire FROM horse", con)
    con.close()
    return runs, sires


def months_before(dates, months):
    """YYYYMMDD minus whole months; a day the month lacks gives the 1st of
    the month after."""
    d = np.asarray(dates)
    day = d % 100
    m = (d // 10000) * 12 + (d // 100 % 100 - 1) - months
    year, month = m // 12, m % 12 + 1
    first = pd.to_datetime(pd.DataFrame({"year": year, "month": month, "day": 1}))
    last = (first + pd.offsets.MonthEnd(0)).dt.day.to_numpy()
    over = day > last
    month_after = np.where(month == 12, 1, month + 1)
    year_after = np.where(month == 12, year + 1, year)
    return np.where(over, year_after * 10000 + month_after * 100 + 1,
                    year * 10000 + month * 100 + day)


def rank(entries, value, larger):
    """Ranks within each race: valid values, runners not marked 消."""
    e = entries.assign(value=value)
    counted = e["value"].notna() & (e["prediction_mark"] != "9")
    key = -e["value"] if larger else e["value"]
    r = key.where(counted).groupby(e["race"]).rank(method="min")
    return r.fillna(0).astype(int)


def cumulative_before(events, by, dates, keys):
    """Per group of `by`, the counts of `events` (date, starts, wins) dated
    before each of `dates` for the group `keys`."""
    daily = events.groupby(by + ["date"], as_index=False)[["starts", "wins"]].sum()
    daily = daily.sort_values(by + ["date"])
    daily[["starts", "wins"]] = daily.groupby(by)[["starts", "wins"]].cumsum()
    # Shift so that a day's tally holds the runs strictly before it.
    daily["date"] = daily["date"] + 1
    q = keys.assign(date=dates).reset_index().sort_values("date")
    m = pd.merge_asof(q, daily.sort_values("date"), on="date", by=by, direction="backward")
    m = m.set_index("index").sort_index()
    return m["starts"].fillna(0).to_numpy(), m["wins"].fillna(0).to_numpy()


def factor11(runs, entries):
    placed = runs[runs["pos"] > 0][["horse_code", "date", "surface", "distance", "pos"]]
    m = entries[["race", "horse_code", "date", "surface", "distance"]].reset_index().merge(
        placed, on=["horse_code", "surface", "distance"], suffixes=("", "_run"))
    m = m[m["date_run"] < m["date"]].sort_values(["index", "date_run"], ascending=[True, False])
    mean = m.groupby("index").head(3).groupby("index")["pos"].mean()
    return rank(entries, mean.reindex(entries.index), larger=False)


def factor24(runs, entries):
    rides = runs[runs["jockey_code"].notna()].assign(
        starts=1, wins=(runs["pos"] == 1).astype(int))
    keys = entries[["jockey_code"]]
    s1, w1 = cumulative_before(rides, ["jockey_code"], entries["date"].to_numpy(), keys)
    s0, w0 = cumulative_before(rides, ["jockey_code"], months_before(entries["date"], 12), keys)
    starts = s1 - s0
    value = pd.Series(np.where(starts > 0, (w1 - w0) / np.maximum(starts, 1), np.nan),
                      index=entries.index)
    value[entries["jockey_code"].isna()] = np.nan
    return rank(entries, value, larger=True)


def factor19(runs, entries):
    offspring = runs[runs["sire_code"].notna()][["sire_code", "date", "surface", "distance",
                                                  "pos"]]
    e = entries[entries["horse_sire"].notna()]
    # One value per race and sire, month by month to bound the merge.
    subjects = e[["race", "horse_sire", "date", "surface", "distance"]].drop_duplicates(
        ["race", "horse_sire"]).reset_index(drop=True)
    subjects["from"] = months_before(subjects["date"], 24)
    parts = []
    for _, chunk in subjects.groupby(subjects["date"] // 100):
        m = chunk.reset_index().merge(offspring, left_on=["horse_sire", "surface"],
                                      right_on=["sire_code", "surface"],
                                      suffixes=("", "_run"))
        m = m[(m["date_run"] < m["date"]) & (m["date_run"] >= m["from"]) &
              ((m["distance_run"] - m["distance"]).abs() <= 200)]
        g = m.groupby("index")["pos"]
        parts.append(pd.DataFrame({"starts": g.size(), "wins": g.apply(lambda p: (p == 1).sum())}))
    tally = pd.concat(parts)
    subjects["value"] = (tally["wins"] / tally["starts"]).reindex(subjects.index)
    value = entries.merge(subjects[["race", "horse_sire", "value"]], how="left",
                          on=["race", "horse_sire"])["value"]
    value.index = entries.index
    return rank(entries, value, larger=True)


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("--store", required=True)
    p.add_argument("--from", dest="first", type=int, required=True)
    p.add_argument("--to", dest="last", type=int, required=True)
    p.add_argument("--factor", type=int, action="append", required=True)
    p.add_argument("--out", required=True)
    a = p.parse_args()

    # CPU seconds of the process, as the script measures whole processes:
    # on a loaded machine the wall clock counts other processes' turns.
    started = time.process_time()
    rows, sires = load(a.store, a.last)
    loaded = time.process_time()
    # Past runs leave out the horses withdrawn before the start; today's
    # runners are every runner of the race.
    runs = rows[rows["is_run"] == 1]
    entries = rows[(rows["date"] >= a.first)].copy()
    entries["race"] = (entries["place"] + entries["date"].astype(str) +
                       entries["race_no"].map("{:02d}".format))
    entries = entries.merge(sires, on="horse_code", how="left")
    entries = entries.sort_values(["race", "horse_no"]).reset_index(drop=True)
    functions = {11: factor11, 24: factor24, 19: factor19}
    ranks = {f: functions[f](runs, entries) for f in a.factor}
    computed = time.process_time()
    with open(a.out, "w") as out:
        for f, r in ranks.items():
            for race, group in r.groupby(entries["race"]):
                out.write(json.dumps({"code": race, "factor": f, "ranks": group.tolist()}) + "\n")
    races = entries["race"].nunique()
    print(json.dumps({"races": races, "load_s": loaded - started,
                      "compute_s": computed - loaded}))


if __name__ == "__main__":
    sys.exit(main())
