# The peer of `kelp-collector info`: Python's csv module reading every row
# of a data file, as a script would before summing anything up. With
# --time, the reading alone is timed inside the process (best of five) and
# printed in milliseconds.
import csv
import sys
import time


def read(path):
    with open(path, newline="", encoding="cp932") as f:
        return list(csv.reader(f))


if sys.argv[1] == "--time":
    best = min(
        (lambda t: (read(sys.argv[2]), time.perf_counter() - t)[1])(time.perf_counter()) for _ in range(5)
    )
    print(f"{best * 1000:.3f}")
else:
    for path in sys.argv[1:]:
        print(path, len(read(path)) - 2)
