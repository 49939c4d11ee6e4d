"""qrxcc.dask.convert: the bytes of qrxcc.convert per frame or per image, threaded and distributed."""
import os
import subprocess
import sys

import dask
import dask.array as da
import numpy as np
import pytest

import qrxcc
import qrxcc.dask

RNG = np.random.default_rng(11)
FRAMES = RNG.integers(0, 256, (5, 12, 18, 3), dtype=np.uint8)
IMAGE = RNG.integers(0, 256, (37, 22, 3), dtype=np.uint8)  # odd height: i420 crops the last row


def planes(x):
    return x if isinstance(x, tuple) else (x,)


def per_frame(frames, src, dst):
    out = [planes(qrxcc.convert(f, src, dst)) for f in frames]
    return [np.stack([o[i] for o in out]) for i in range(len(out[0]))]


@pytest.mark.parametrize("src, dst", [("rgb24", "i420"), ("rgb24", "hsv"), ("rgb24", "yuyv422-smooth"),
                                      ("i420", "rgb24"), ("nv12", "yuv411p")])
@pytest.mark.parametrize("chunk", [1, 2])
def test_frames_threaded(src, dst, chunk, monkeypatch):
    monkeypatch.setattr(qrxcc.dask, "TASK_BYTES", 2 * FRAMES[0].nbytes)  # tasks of one block and of several
    stacked = per_frame(FRAMES, "rgb24", src)
    arrays = tuple(da.from_array(p, chunks=(chunk,) + p.shape[1:]) for p in stacked)
    got = dask.compute(*planes(qrxcc.dask.convert(arrays if len(arrays) > 1 else arrays[0], src, dst)),
                       scheduler="threads", num_workers=2)
    want = per_frame([f[0] if len(f) == 1 else f for f in zip(*stacked)], src, dst)
    assert len(got) == len(want) and all((g == w).all() for g, w in zip(got, want))


@pytest.mark.parametrize("dst", ["i420", "yuv411p", "lab", "yuyv422-smooth"])
@pytest.mark.parametrize("rows", [5, 8, 37])
def test_rows_threaded(dst, rows):
    got = planes(qrxcc.dask.convert(da.from_array(IMAGE, chunks=(rows, -1, -1)), "rgb24", dst))
    want = planes(qrxcc.convert(IMAGE, "rgb24", dst))
    assert all((g.compute(scheduler="threads") == w).all() for g, w in zip(got, want))


def test_local_cluster_with_two_worker_processes():
    distributed = pytest.importorskip("distributed")
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as c, \
            distributed.Client(c) as client:
        y, u, v = qrxcc.dask.convert(da.from_array(FRAMES, chunks=(1, -1, -1, -1)), "rgb24", "i420")
        got = client.compute([y, u, v], sync=True)
        assert len(client.scheduler_info()["workers"]) == 2
    assert all((g == w).all() for g, w in zip(got, per_frame(FRAMES, "rgb24", "i420")))


def test_bad_dimensions_raise():
    with pytest.raises(ValueError):
        qrxcc.dask.convert(da.zeros((2, 2, 4, 4, 3), dtype=np.uint8), "rgb24", "i420")


def test_folder_example(tmp_path):
    example = os.path.join(os.path.dirname(__file__), "..", "..", "docs", "examples", "dask_frames_to_i420.py")
    (tmp_path / "frames").mkdir()
    for k in range(3):
        (tmp_path / "frames" / ("f%d.ppm" % k)).write_bytes(b"P6\n18 12\n255\n" + FRAMES[k].tobytes())
    subprocess.run([sys.executable, example, str(tmp_path / "frames"), str(tmp_path / "out.yuv")], check=True,
                   stdout=subprocess.DEVNULL)
    assert (tmp_path / "out.yuv").read_bytes() == b"".join(p.tobytes() for f in FRAMES[:3]
                                                           for p in qrxcc.convert(f, "rgb24", "i420"))
