#!/usr/bin/env python3
"""Converts a folder of frames to I420 on a Dask cluster.

    python3 dask_frames_to_i420.py FRAMES_DIR OUT.yuv [--size WxH] [--scheduler ADDRESS]

FRAMES_DIR holds raw RGB24 frames of one size (sorted by name) or 8-bit binary
PPM (P6) files.  OUT.yuv receives the I420 frames one after the other (Y, then
Cb, then Cr of each frame).  Without --scheduler a LocalCluster of two worker
processes is started here; with it, the same code runs on that cluster (its
workers need qrxcc installed, e.g. the python3-qrxcc package).
"""
import argparse
import os

import dask
import dask.array as da
import numpy as np
from distributed import Client, LocalCluster

import qrxcc.dask


def read_frame(path, w, h):
    data = open(path, "rb").read()
    if data[:2] == b"P6":  # header: P6 W H 255, then the pixels
        fields = data.split(maxsplit=4)
        w, h = int(fields[1]), int(fields[2])
        data = fields[4]
    return np.frombuffer(data, np.uint8, w * h * 3).reshape(h, w, 3)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("frames")
    ap.add_argument("out")
    ap.add_argument("--size", default="0x0", help="size of raw frames, WxH")
    ap.add_argument("--scheduler", help="address of a running Dask scheduler")
    a = ap.parse_args()
    w, h = map(int, a.size.lower().split("x"))
    paths = sorted(os.path.join(a.frames, n) for n in os.listdir(a.frames))
    first = read_frame(paths[0], w, h)

    # one lazy frame per file: the workers read their own frames
    frames = da.stack([da.from_delayed(dask.delayed(read_frame)(p, w, h), first.shape, np.uint8) for p in paths])
    y, cb, cr = qrxcc.dask.convert(frames, "rgb24", "i420")

    cluster = None if a.scheduler else LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None)
    with Client(a.scheduler or cluster) as client, open(a.out, "wb") as out:
        for k in range(len(paths)):  # frame by frame, in order, while the cluster works ahead
            for plane in client.compute([y[k], cb[k], cr[k]], sync=True):
                out.write(plane.tobytes())
    if cluster:
        cluster.close()
    print("%d frames %dx%d -> %s (I420)" % (len(paths), first.shape[1], first.shape[0], a.out))


if __name__ == "__main__":
    main()
