#!/usr/bin/env python3
"""Seeds of the fuzz targets.

  make_seeds.py small DIR   the small seeds kept in the repository (fuzz/corpus)
  make_seeds.py large DIR   whole run files (240032 bytes and more), made when
                            the fuzzers run rather than kept in the repository

Files are written as DIR/<target>/<name>. Run files are little-endian images
of the run record: Count (int32), T[10000], L[10000] (doubles), CalcPoints
(int32), SampleLength, QuartzLength, QuartzAlpha, TC[10000] (doubles).
"""
import math
import os
import struct
import sys

CAPACITY = 10000
T_AT, L_AT, CALC_AT, TC_AT, RUN_SIZE = 4, 80004, 160004, 160032, 240032
SPL_SIZE = 1604


def write(root, target, name, data):
    folder = os.path.join(root, target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("utf-8")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def run_image(count, t=(), l=(), tc=(), calc=(100, 50000.0, 50000.0, 5.2e-7)):
    image = bytearray(RUN_SIZE)
    struct.pack_into("<i", image, 0, count)
    for at, values in ((T_AT, t), (L_AT, l), (TC_AT, tc)):
        for i, v in enumerate(values):
            struct.pack_into("<d", image, at + 8 * i, v)
    struct.pack_into("<iddd", image, CALC_AT, *calc)
    return bytes(image)


def spl_image(count, x, y):
    image = bytearray(SPL_SIZE)
    struct.pack_into("<i", image, 0, count)
    for i, v in enumerate(x):
        struct.pack_into("<d", image, 4 + 8 * i, v)
    for i, v in enumerate(y):
        struct.pack_into("<d", image, 804 + 8 * i, v)
    return bytes(image)


def small_run_files(root):
    t = "fuzz_runfile"
    for name, count in (("count0", 0), ("count-1", -1), ("count10000", 10000), ("count10001", 10001)):
        write(root, t, name + ".dat", struct.pack("<i", count))
    write(root, t, "five-samples-one-failed.dat", struct.pack("<i5d", 5, 20, 25, 30, -1, 40))
    write(root, t, "cut-inside-a-double.dat", struct.pack("<i2d", 3, 20, 21)[:16])
    nan, inf = float("nan"), float("inf")
    write(root, t, "not-finite.dat", struct.pack("<i6d", 6, nan, inf, -inf, 1.7976931348623157e308, 5e-324, -0.0))


def large_run_files(root):
    t = "fuzz_runfile"
    n = 600  # the program's test run
    test = run_image(n, [i for i in range(1, n + 1)], [math.log(i + 50.0) / 12.0 for i in range(1, n + 1)],
                     [i for i in range(1, n + 1)])
    write(root, t, "test-run.dat", test)
    write(root, t, "longer-than-a-run.dat", test + b"\x07" * 8)
    alpha = [5.1e-7, 5.8e-7, 6.0e-7, 6.1e-7, 5.9e-7, 5.7e-7, 5.4e-7, 5.2e-7, 5.1e-7]
    write(root, t, "quartz-table.dat", run_image(9, [100.0 * r for r in range(1, 10)], alpha))
    # A full run with failed conversions (-1) in T and in L and a few non-numbers.
    temps = [20 + 0.1 * i for i in range(CAPACITY)]
    lengths = [0.001 * i for i in range(CAPACITY)]
    for i in range(0, CAPACITY, 97):
        temps[i] = -1.0
    for i in range(50, CAPACITY, 101):
        lengths[i] = -1.0
    temps[5000], lengths[7000] = float("nan"), float("inf")
    write(root, t, "full-with-failures.dat", run_image(CAPACITY, temps, lengths, temps))


def spl_files(root):
    t = "fuzz_spl"
    x5, y5 = [0, 250, 500, 750, 1000], [1, 252, 503, 749, 1002]
    write(root, t, "five-points.spl", spl_image(5, x5, y5))
    write(root, t, "hundred-points.spl", spl_image(100, [10.0 * q for q in range(100)], [10.0 * q + 0.01 * q * q for q in range(100)]))
    write(root, t, "three-points.spl", spl_image(3, [0, 1, 2], [0, 1, 4]))
    write(root, t, "two-points.spl", spl_image(2, [0, 1], [0, 1]))
    write(root, t, "count101.spl", spl_image(101, [float(q) for q in range(100)], [float(q) for q in range(100)]))
    write(root, t, "count-negative.spl", spl_image(-5, x5, y5))
    write(root, t, "x-repeated.spl", spl_image(4, [0, 1, 1, 2], [0, 1, 2, 3]))
    write(root, t, "x-decreasing.spl", spl_image(3, [2, 1, 0], [0, 1, 2]))
    write(root, t, "not-finite.spl", spl_image(4, [0, 1, float("nan"), 3], [0, float("inf"), 2, 3]))
    write(root, t, "huge-values.spl", spl_image(4, [-1e308, 0, 1e-300, 1e308], [1e308, -1e308, 0, 1e308]))
    write(root, t, "count-only.spl", struct.pack("<i", 3))
    write(root, t, "cut-inside-x.spl", spl_image(5, x5, y5)[:30])
    write(root, t, "longer.spl", spl_image(5, x5, y5) + b"extra")


def settings_files(root):
    t = "fuzz_settings"
    keys = ("[Options]\nTimerWorkInterval=1\nN=10000\naT=0\naL=0\nbT=1\nbL=1\ncT=0\ncL=0\ndT=0\ndL=0\n"
            "Chan1=0\nChan2=1\nChan3=0\nErrorCode=-1\nAutoSaveFlag=1\nAutoSaveTime=300\n"
            "AutoSaveFile=/data/default.dat\nSplineTFile=/data/defaultT.spl\nSplineLFile=/data/defaultL.spl\n"
            "TSplineKalibrFlag=0\nLSplineKalibrFlag=0\nLWeightDriver=0\nBaseLineFile=Nil\nManageFlag=0\n"
            "ManageStartEvent=0\nManageStopEvent=0\nManageValue=0\n")
    write(root, t, "defaults.ini", keys)
    write(root, t, "comma-reals-crlf-bom.ini",
          "\ufeff[options]\r\naT=-273,15\r\nbT=1,0001\r\ncT=5,2E-7\r\ndT=-1E20\r\nManageValue=1000,5\r\n"
          "AutoSaveFile=/данные/прогон 1.dat\r\nBaseLineFile= base=line.dat \r\n")
    write(root, t, "bad-values.ini",
          "[Other]\naT=5\n[ Options ]\n; comment=1\naT=1.5\nbL=\ncL=abc\nN=12x\nErrorCode=70000\n"
          "AutoSaveFlag=2\nChan1=-2147483648\nChan2=2147483648\nN=5\nAT=7\n=novalue\nno equals sign\n")
    write(root, t, "long-baseline.ini", "[Options]\nBaseLineFile=" + "я" * 300 + "\n")
    write(root, t, "extremes.ini", "[Options]\naT=1,7976931348623157E308\naL=4,9406564584124654E-324\n"
          "bT=1E-400\nbL=-0\nManageValue=2,675\n")
    write(root, t, "hand-edited.ini",
          "\ufeff; furnace 2\r\n[Options]\r\nN = 500\r\n; calibration\r\naT=0.50\r\nOperator=Иванов\r\n\r\n"
          "[Furnace]\r\nN=7\r\n[options]\r\nbT=2\r")


def daqlink_files(root, example):
    t = "fuzz_daqlink_ini"
    with open(example, "rb") as f:
        write(root, t, "example.ini", f.read())
    write(root, t, "edges.ini",
          "backend=SIM\nMaterial=Constant\nAlpha=-1e-3\nSampleLength=1e6\nQuartzAlpha=1e-3\nHeatingRate=1000\n"
          "MaxTemperature=1500\nRoomTemperature=-200\nStartTemperature=1500\nCoolingTime=1e-300\nLagTime=0\n"
          "Step=86400\nTemperatureNoise=100\nLengthNoise=1000\nFailureRate=1\nSeed=18446744073709551615\n"
          "HeaterLine=1023\nErrorCode=-32768\n")
    write(root, t, "refused.ini",
          "Backend=maybe\nDevice=\nHeaterLine=1024\nErrorCode=32768\nAlpha=nan\nSampleLength=0\nStep=-1\n"
          "CoolingTime=0\nFailureRate=1.5\nSeed=-1\nMaxTemperature=+inf\nLagTime=1e5x\nHeatingRate=0x10\n")
    write(root, t, "crlf-comments.ini", "# c\r\n; d\r\n[Simulator]\r\n  step = 1e-300 \r\nstep\r\n=5\r\n")


def number_texts(root):
    t = "fuzz_numbers"
    texts = ["1,5", "1.5", "-0", " 2,675 ", "1e308", "1,7976931348623157E308", "1.7976931348623159e308",
             "4,9406564584124654E-324", "2.2250738585072011e-308", "1E-400", "2147483647", "-2147483648",
             "2147483648", ".5", "5.", "-,5E+3", "+.e1", "0x10", "inf", "nan", "1e", "1e+", "\t7\n",
             "0." + "0" * 400 + "1", "9" * 330, "1\u066b5", "12345678901234567890123", "0e99999999999"]
    for i, text in enumerate(texts):
        write(root, t, "n%02d.txt" % i, text)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ("small", "large"):
        sys.exit(__doc__)
    root = sys.argv[2]
    if sys.argv[1] == "large":
        large_run_files(root)
        return
    here = os.path.dirname(os.path.abspath(__file__))
    small_run_files(root)
    spl_files(root)
    settings_files(root)
    daqlink_files(root, os.path.join(here, "..", "daqlink", "daqlink.ini.example"))
    number_texts(root)


if __name__ == "__main__":
    main()
