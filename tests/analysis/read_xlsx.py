"""Reads the first sheet of an .xlsx workbook and prints its cells as JSON:
every row as a list of [data type, value] pairs (openpyxl's types: "n" for a
number, "s" for a string)."""
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheet = book.worksheets[0]
rows = [[[cell.data_type, cell.value] for cell in row] for row in sheet.iter_rows()]
json.dump({"sheets": len(book.worksheets), "rows": rows}, sys.stdout)
