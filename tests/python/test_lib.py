"""qrxcc.lib: every export is bound; the bounds checks hold every byte the call touches."""
import os
import re

import numpy as np
import pytest

import qrxcc
from api_signatures import functions

HEADER = os.path.join(os.path.dirname(__file__), "..", "..", "include", "qrxcc.h")
FUNCS = functions(HEADER)
DTYPE = {"Qrx8u": np.uint8, "Qrx8s": np.int8, "Qrx16u": np.uint16, "Qrx16s": np.int16, "Qrx32s": np.int32,
         "Qrx32f": np.float32}
GUARD = 64
NEED = re.compile(r"^([\w\[\]]+): the array is too small .*\((\d+) bytes before and (\d+) from the pointer")


def test_every_export_is_bound():
    exported = [l.strip() for l in open(os.path.join(os.path.dirname(HEADER), "..", "..", "shared", "exports.txt"))
                if l.strip().startswith("qrx")] if os.path.exists(os.path.join(os.path.dirname(HEADER), "..", "..",
                                                                                 "shared", "exports.txt")) else []
    names = {n for n, _ in FUNCS} | {"qrxccGetLibVersion"}
    assert all(hasattr(qrxcc.lib, n) for n in names | set(exported))
    assert qrxcc.lib.qrxccGetLibVersion()["cpuCode"] == "e9"


class Buf:
    """An array of guard bytes, then `lead` bytes the call may use before the pointer and `size` from it;
    guard bytes follow outside the array."""

    def __init__(self, dtype, lead=0, size=0, cut=0):
        self.dtype, self.lead = np.dtype(dtype), lead
        self.size = size or self.dtype.itemsize
        n = -(-(2 * GUARD + lead + size) // self.dtype.itemsize) * self.dtype.itemsize
        self.bytes = np.random.default_rng(lead + size).integers(0, 256, n, dtype=np.uint8)
        if self.dtype == np.float32:
            self.bytes.view(np.float32)[:] = np.arange(n // 4) % 3 * 0.5
        self.before = self.bytes.copy()
        self.array = self.bytes[:GUARD + lead + size - cut].view(self.dtype)  # guards after it lie outside

    def arg(self):
        return (self.array, GUARD + self.lead)

    def guards_intact(self):
        end = GUARD + self.lead + self.size
        return (self.bytes[:GUARD] == self.before[:GUARD]).all() and (self.bytes[end:] == self.before[end:]).all()


def plain(p, roi, slice_pos):
    k, n = p["kind"], p["name"]
    return {"step": 512, "steps": [512] * p.get("n", 0), "roi": roi, "aval": 7, "gamma": 0.0 if n == "vMin" else 1.0,
            "weights": [0.25, 0.5, 0.25], "twist": np.full((p.get("rows", 0), 4), 0.3, np.float32),
            "int": {"noise": 0, "dtype": 1, "levels": 16, "slicePosition": slice_pos}.get(n)}[k]


@pytest.mark.parametrize("name, params, slice_pos", [(n, p, s) for n, p in FUNCS for s in
                         ((21, 4) if any(q["name"] == "slicePosition" for q in p) else (21,))],
                         ids=lambda v: v if isinstance(v, str) else "")
def test_checked_extents_hold_every_write(name, params, slice_pos):
    fn, roi = getattr(qrxcc.lib, name), (13, 8)
    bufs = {}
    for p in params:  # start from one-sample arrays; grow each to what the check asks for
        if p["kind"] == "ptr":
            bufs[p["name"]] = Buf(DTYPE[p["type"]])
        elif p["kind"] == "array":
            bufs.update({"%s[%d]" % (p["name"], i): Buf(DTYPE[p["type"]]) for i in range(p["n"])})

    def args():
        out = []
        for p in params:
            if p["kind"] == "ptr":
                out.append(bufs[p["name"]].arg())
            elif p["kind"] == "array":
                out.append([bufs["%s[%d]" % (p["name"], i)].arg() for i in range(p["n"])])
            else:
                out.append(plain(p, roi, slice_pos))
        return out
    for _ in range(16):
        try:
            status = fn(*args())
            break
        except ValueError as e:
            m = NEED.match(str(e))
            assert m, str(e)
            key = m.group(1)
            old = bufs[key]
            bufs[key] = Buf(old.dtype, int(m.group(2)), int(m.group(3)))
            if old.size > old.dtype.itemsize and not any(q["const"] for q in params if q["name"] == key.split("[")[0]):
                assert (old.bytes == old.before).all()  # refused: nothing touched
    assert status in (0, 35)
    assert all(b.guards_intact() for b in bufs.values()), [(k, b.lead, b.size) for k, b in bufs.items()]
    # one byte less than asked for is refused and leaves the array as it was
    key, b = next((k, b) for k, b in reversed(list(bufs.items())) if b.size > b.dtype.itemsize)
    bufs[key] = short = Buf(b.dtype, b.lead, b.size, cut=b.dtype.itemsize)
    with pytest.raises(ValueError):
        fn(*args())
    assert (short.bytes == short.before).all()


@pytest.mark.parametrize("call, status, value", [
    (lambda a: qrxcc.lib.qrxiRGBToHSV_8u_C3R(a, 12, a.copy(), 12, (0, 1)), "qrxStatusSizeError", -6),
    (lambda a: qrxcc.lib.qrxiRGBToHSV_8u_C3R(None, 12, a, 12, (4, 1)), "qrxStatusNullPointer", -8),
    (lambda a: qrxcc.lib.qrxiGammaFwd_8u_C3IR(a, 0, (4, 1)), "qrxStatusStepError", -14),
    (lambda a: qrxcc.lib.qrxiReduceBits_8u_C3R(a, 12, a.copy(), 12, (4, 1), 0, 1, 1), "qrxStatusLevelsRange", -54),
    (lambda a: qrxcc.lib.qrxiReduceBits_8u_C3R(a, 12, a.copy(), 12, (4, 1), 101, 1, 4), "qrxStatusNoiseRange", -55),
])
def test_error_statuses_raise(call, status, value):
    a = np.arange(12, dtype=np.uint8).reshape(1, 4, 3)
    with pytest.raises(qrxcc.QrxError) as e:
        call(a)
    assert (e.value.status, e.value.value) == (status, value) and isinstance(e.value, RuntimeError)
    assert (a == np.arange(12).reshape(1, 4, 3)).all()


def test_warning_status_is_returned_and_argument_types_are_checked():
    src = np.zeros((5, 7), np.uint16)
    planes = [np.zeros((5, 7), np.uint8), np.zeros((3, 4), np.uint8), np.zeros((3, 4), np.uint8)]
    assert qrxcc.lib.qrxiBGR565ToYUV420_16u8u_C3P3R(src, 14, planes, [7, 4, 4], (7, 5)) == 35
    with pytest.raises(TypeError):
        qrxcc.lib.qrxiBGR565ToYUV420_16u8u_C3P3R(src.astype(np.int16), 14, planes, [7, 4, 4], (7, 5))
    with pytest.raises(ValueError):  # read-only destination
        planes[0].flags.writeable = False
        qrxcc.lib.qrxiBGR565ToYUV420_16u8u_C3P3R(src, 14, planes, [7, 4, 4], (7, 5))


def test_negative_step_reaches_rows_before_the_pointer():
    img = np.random.default_rng(3).integers(0, 256, (4, 5, 3), dtype=np.uint8)
    out, flipped = np.zeros_like(img), np.zeros_like(img)
    qrxcc.lib.qrxiRGBToHSV_8u_C3R(img, 15, out, 15, (5, 4))
    qrxcc.lib.qrxiRGBToHSV_8u_C3R((img, 45), -15, (flipped, 45), -15, (5, 4))  # pointers at the last rows
    assert (flipped == out).all()
    with pytest.raises(ValueError):  # the rows above the first row lie outside the array
        qrxcc.lib.qrxiRGBToHSV_8u_C3R(img, -15, out, 15, (5, 4))
