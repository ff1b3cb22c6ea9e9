# Tests of this part are listed here.
