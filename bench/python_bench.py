#!/usr/bin/env python3
"""Times the Python package beside the C library, in one run:

1. 1920x1080 rgb24 -> i420 through qrxcc.convert and through the C function
   itself (called with ctypes on preallocated planes), interleaved, best of N;
2. 32 such frames through qrxcc.dask.convert with the threaded scheduler on
   one and on two threads;
3. the same on a distributed LocalCluster of two single-threaded worker processes.

    PYTHONPATH=build/python python3 bench/python_bench.py [--lib build/libqrxcc.so] [--reps 30]
"""
import argparse
import ctypes
import os
import statistics
import time

import numpy as np

import qrxcc
import qrxcc.dask

W, H = 1920, 1080


def best(fn, reps):
    times = []
    for _ in range(reps):
        t = time.perf_counter()
        fn()
        times.append(time.perf_counter() - t)
    return min(times), statistics.median(times)


def direct_call(lib_path, img):
    lib = ctypes.CDLL(lib_path)
    f = lib.qrxiRGBToYCbCr420_8u_C3P3R

    class Size(ctypes.Structure):
        _fields_ = [("width", ctypes.c_int32), ("height", ctypes.c_int32)]
    f.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p, Size]
    planes = [np.empty((H, W), np.uint8), np.empty((H // 2, W // 2), np.uint8), np.empty((H // 2, W // 2), np.uint8)]
    ptrs = (ctypes.c_void_p * 3)(*[p.ctypes.data for p in planes])
    steps = (ctypes.c_int * 3)(W, W // 2, W // 2)
    src, size = img.ctypes.data, Size(W, H)
    return lambda: f(src, W * 3, ptrs, steps, size), planes


def main():
    ap = argparse.ArgumentParser()
    here = os.path.dirname(os.path.abspath(__file__))
    ap.add_argument("--lib", default=os.path.join(here, "..", "build", "libqrxcc.so"))
    ap.add_argument("--reps", type=int, default=30)
    ap.add_argument("--frames", type=int, default=32)
    ap.add_argument("--rounds", type=int, default=3)
    a = ap.parse_args()
    img = np.random.default_rng(1).integers(0, 256, (H, W, 3), dtype=np.uint8)
    # the two-thread figures mean little when other jobs hold the processors
    print("load average %.2f on %d processors" % (os.getloadavg()[0], os.cpu_count()))

    c_call, planes = direct_call(a.lib, img)
    c_call()
    assert all((p == q).all() for p, q in zip(planes, qrxcc.convert(img, "rgb24", "i420")))
    py_t, c_t = [], []
    for _ in range(a.rounds):  # interleaved, so that both see the same machine
        py_t.append(best(lambda: qrxcc.convert(img, "rgb24", "i420"), a.reps))
        c_t.append(best(c_call, a.reps))
    py_min, c_min = min(t[0] for t in py_t), min(t[0] for t in c_t)
    py_med, c_med = statistics.median(t[1] for t in py_t), statistics.median(t[1] for t in c_t)
    print("1920x1080 rgb24 -> i420: qrxcc.convert best %.3f ms (median %.3f), C call best %.3f ms (median %.3f): "
          "%.3fx (medians %.3fx)" % (py_min * 1e3, py_med * 1e3, c_min * 1e3, c_med * 1e3, py_min / c_min,
                                     py_med / c_med))

    import dask
    import dask.array as da
    frames = np.stack([np.roll(img, k, axis=1) for k in range(a.frames)])
    arr = da.from_array(frames, chunks=(1, H, W, 3))

    qrxcc.set_threads(1)  # the row-parallel conversions (lab) on one thread: Dask is the parallelism here
    for dst, way in [("i420", "gathered"), ("i420", "stored"), ("lab", "gathered"), ("lab", "stored")]:
        planes = qrxcc.dask.convert(arr, "rgb24", dst)
        planes = planes if isinstance(planes, tuple) else (planes,)
        targets = [np.ones(p.shape, p.dtype) for p in planes]  # touched once, before timing
        if way == "gathered":  # compute() joins the blocks on the calling thread
            def run(n):
                return dask.compute(*planes, scheduler="threads", num_workers=n)
        else:  # each task writes its block into the targets
            def run(n):
                return da.store(list(planes), targets, lock=False, scheduler="threads", num_workers=n)
        t1, t2 = [], []
        for _ in range(a.rounds):
            t1.append(best(lambda: run(1), 3)[0])
            t2.append(best(lambda: run(2), 3)[0])
        print("%d frames rgb24 -> %s, threaded scheduler, %s: 1 thread %.1f ms, 2 threads %.1f ms: %.2fx (rounds: %s)" % (
            a.frames, dst, way, min(t1) * 1e3, min(t2) * 1e3, min(t1) / min(t2),
            ", ".join("%.2f" % (x / y) for x, y in zip(t1, t2))))

    from distributed import Client, LocalCluster
    with LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster, \
            Client(cluster) as client:
        scattered = da.from_array(frames, chunks=(1, H, W, 3)).persist()
        planes_ = qrxcc.dask.convert(scattered, "rgb24", "i420")
        client.compute(list(planes_), sync=True)
        t = best(lambda: client.compute(list(planes_), sync=True), 3)[0]
        ts = best(lambda: client.compute([p.sum() for p in planes_], sync=True), 3)[0]
    print("%d frames, LocalCluster of 2 worker processes: %.1f ms with the result gathered to the client, "
          "%.1f ms reduced on the workers" % (a.frames, t * 1e3, ts * 1e3))


if __name__ == "__main__":
    main()
