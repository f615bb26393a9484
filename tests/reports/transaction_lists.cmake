# Tests of the transaction_lists report.
