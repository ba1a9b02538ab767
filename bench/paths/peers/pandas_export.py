# The peer of `kelp-collector export`: pandas reading a data file and
# writing it again as UTF-8 CSV.
import sys

import pandas as pd

frame = pd.read_csv(sys.argv[1], encoding="cp932", skiprows=1)
frame.to_csv(sys.argv[2], index=False, encoding="utf-8-sig")
