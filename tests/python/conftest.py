import os
import sys

# the parser of the header, for the sweep over every binding
sys.path.insert(0, os.path.join(os.path.dirname(__file__), "..", "..", "tools", "gen"))
