"""qrxcc.convert against qrxconvert's raw output and the C functions; strides; errors."""
import os
import subprocess

import numpy as np
import pytest

import qrxcc

CLI = os.environ.get("QRXCONVERT")
RNG = np.random.default_rng(7)
IMG = RNG.integers(0, 256, (10, 14, 3), dtype=np.uint8)  # 14 is not a multiple of 4: yuv411p crops


def raw(out):
    return b"".join(p.tobytes() for p in (out if isinstance(out, tuple) else (out,)))


def cli(tmp_path, data, src, dst, size, *opts):
    if not CLI:
        pytest.skip("QRXCONVERT names no qrxconvert")
    (tmp_path / "in").write_bytes(data)
    subprocess.run([CLI, "convert", str(tmp_path / "in"), str(tmp_path / "out"), "--from", src, "--size", size,
                    "--to", dst, "--quiet", *opts], check=True, stderr=subprocess.DEVNULL)
    return (tmp_path / "out").read_bytes()


def encodable():
    out = []
    for f in qrxcc.formats():
        try:
            qrxcc.convert(IMG[:4, :4], "rgb24", f)
            out.append(f)
        except ValueError:
            pass
    return out


@pytest.mark.parametrize("fmt", encodable())
def test_encode_and_decode_match_the_cli(tmp_path, fmt):
    out = qrxcc.convert(IMG, "rgb24", fmt)
    assert raw(out) == cli(tmp_path, IMG.tobytes(), "rgb24", fmt, "14x10")
    h, w = (out[0] if isinstance(out, tuple) else out).shape[:2]
    try:
        back = qrxcc.convert(out, fmt, "rgb24")
    except ValueError as e:
        assert "written but not read" in str(e)
        return
    assert back.shape == (h, w, 3)
    assert raw(back) == cli(tmp_path, raw(out), fmt, "rgb24", "%dx%d" % (w, h))


@pytest.mark.parametrize("dst, opts, args", [
    ("rgb565", {"dither": True}, ["--dither"]),
    ("yuyv422-smooth", {"slice": 4}, ["--slice", "4"]),
    ("nv12", {}, []),
])
def test_options_match_the_cli(tmp_path, dst, opts, args):
    img = RNG.integers(0, 256, (16, 8, 3), dtype=np.uint8)
    assert raw(qrxcc.convert(img, "rgb24", dst, **opts)) == cli(tmp_path, img.tobytes(), "rgb24", dst, "8x16", *args)
    if opts:
        assert raw(qrxcc.convert(img, "rgb24", dst, **opts)) != raw(qrxcc.convert(img, "rgb24", dst))


def test_same_bytes_as_the_c_functions():
    h, w = IMG.shape[:2]
    planes = [np.zeros((h, w), np.uint8), np.zeros((h // 2, w // 2), np.uint8), np.zeros((h // 2, w // 2), np.uint8)]
    qrxcc.lib.qrxiRGBToYCbCr420_8u_C3P3R(IMG, w * 3, planes, [w, w // 2, w // 2], (w, h))
    assert raw(qrxcc.convert(IMG, "rgb24", "i420")) == raw(tuple(planes))
    hsv = np.zeros_like(IMG)
    qrxcc.lib.qrxiRGBToHSV_8u_C3R(IMG, w * 3, hsv, w * 3, (w, h))
    assert raw(qrxcc.convert(IMG, "rgb24", "hsv")) == hsv.tobytes()


BIG = RNG.integers(0, 256, (24, 40, 3), dtype=np.uint8)
I420 = qrxcc.convert(BIG, "rgb24", "i420")


@pytest.mark.parametrize("image, src, dst", [
    (BIG[2:20:2, 4:36], "rgb24", "i420"),          # row step of two rows, offset columns
    (BIG[::-1], "rgb24", "nv12"),                   # negative row step
    (BIG[:, ::2], "rgb24", "hsv"),                  # pixel stride: copied
    (np.asfortranarray(BIG), "rgb24", "yuyv422"),   # no row step: copied
    (BIG[4:20, 8:32, ::-1], "bgr24", "i420"),       # reversed channels
    (tuple(p[::2] if i else p[::2, :] for i, p in enumerate(I420)), "i420", "rgb24"),
    (tuple(np.pad(p, ((0, 0), (0, 6)))[:, :p.shape[1]] for p in I420), "i420", "yuv422p"),
])
def test_strided_inputs_give_the_contiguous_bytes(image, src, dst):
    dense = tuple(np.ascontiguousarray(p) for p in image) if isinstance(image, tuple) else np.ascontiguousarray(image)
    assert raw(qrxcc.convert(image, src, dst)) == raw(qrxcc.convert(dense, src, dst))


@pytest.mark.parametrize("call, error", [
    (lambda: qrxcc.convert(IMG, "rgb24", "nope"), ValueError),
    (lambda: qrxcc.convert(IMG, "nope", "i420"), ValueError),
    (lambda: qrxcc.convert(IMG, "rgb24", "i420", colour=1), ValueError),
    (lambda: qrxcc.convert(IMG, "rgb24", "hsv", slice=4), ValueError),
    (lambda: qrxcc.convert(IMG, "rgb24", "yuyv422-smooth", slice=3), ValueError),
    (lambda: qrxcc.convert(IMG.astype(np.uint16), "rgb24", "i420"), TypeError),
    (lambda: qrxcc.convert(IMG[..., :2], "rgb24", "i420"), ValueError),
    (lambda: qrxcc.convert(IMG[:, :, 0], "rgb24", "i420"), ValueError),
    (lambda: qrxcc.convert(IMG[:9], "i420", "rgb24"), TypeError),
    (lambda: qrxcc.convert(tuple(p[:, :-1] for p in I420), "i420", "rgb24"), ValueError),
    (lambda: qrxcc.convert(I420[:2], "i420", "rgb24"), ValueError),
    (lambda: qrxcc.convert(I420[0][:, :, None].repeat(2, 2), "rgb565", "rgb24"), ValueError),
    (lambda: qrxcc.convert(IMG[:1, :1], "rgb24", "i420"), ValueError),
])
def test_bad_arguments_raise(call, error):
    with pytest.raises(error):
        call()
