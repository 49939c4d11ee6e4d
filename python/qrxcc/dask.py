"""qrxcc.convert over Dask arrays.

convert(array, src, dst, **options) takes a Dask array of frames (N x H x W x C,
or N x H x W for one channel; a tuple of such arrays for planar formats) or one
large image (H x W x C, chunked by rows) and returns Dask arrays (a tuple for
planar formats, frames along the first axis) that compute the bytes of
qrxcc.convert on each frame, or on the whole image.  Any scheduler serves: the
threaded one (the conversions release the GIL) or a distributed Client.
"""
import math

import dask
import dask.array as da
import numpy as np

from . import _qrxcc


def _frames(src, dst, options, *planes):
    out = [_qrxcc.convert(p[0] if len(p) == 1 else tuple(p), src, dst, **options) for p in zip(*planes)]
    out = [o if isinstance(o, tuple) else (o,) for o in out]
    if len(out) == 1:  # one frame per chunk: no copy
        return tuple(p[None] for p in out[0])
    return tuple(np.stack([o[i] for o in out]) for i in range(len(out[0])))


def _rows(src, dst, options, *planes):
    out = _qrxcc.convert(planes[0] if len(planes) == 1 else tuple(planes), src, dst, **options)
    return out if isinstance(out, tuple) else (out,)


def _plane_shape(lay, i, w, h):
    ch, cx, cy = lay["planes"][i]
    return (h // cy, w // cx) + ((ch,) if ch > 1 else ())


def convert(array, src, dst, **options):
    sl, dl = _qrxcc._layout(src), _qrxcc._layout(dst)
    planes = list(array) if isinstance(array, (tuple, list)) else [array]
    if len(planes) != len(sl["planes"]):
        raise ValueError("%s images have %d planes" % (sl["name"], len(sl["planes"])))
    planes = [p if isinstance(p, da.Array) else da.from_array(p) for p in planes]
    base = 3 if sl["planes"][0][0] > 1 else 2
    if planes[0].ndim == base + 1:
        return _by_frames(planes, sl, dl, options)
    if planes[0].ndim == base:
        return _by_rows(planes, sl, dl, options)
    raise ValueError("%s: a frame has %d dimensions, frames %d" % (sl["name"], base, base + 1))


def _by_frames(planes, sl, dl, options):
    n, h, w = planes[0].shape[:3]
    planes = [p.rechunk((planes[0].chunks[0],) + (-1,) * (p.ndim - 1)) for p in planes]
    ow, oh = w // dl["align"][0] * dl["align"][0], h // dl["align"][1] * dl["align"][1]
    blocks = [p.to_delayed().reshape(-1) for p in planes]
    nout = len(dl["planes"])
    out = [[] for _ in range(nout)]
    for k, frames in enumerate(planes[0].chunks[0]):
        res = dask.delayed(_frames, pure=True, nout=nout)(sl["name"], dl["name"], options, *[b[k] for b in blocks])
        for i in range(nout):
            out[i].append(da.from_delayed(res[i], (frames,) + _plane_shape(dl, i, ow, oh), dtype=dl["dtype"]))
    return _result([da.concatenate(o) for o in out])


def _by_rows(planes, sl, dl, options):
    h, w = planes[0].shape[:2]
    # chunk heights: whole chroma rows on both sides (the smoothing filter spans the frame)
    step = h if dl["name"] == "yuyv422-smooth" else math.lcm(sl["align"][1], dl["align"][1])
    heights, top = [], 0
    for c in planes[0].chunks[0]:
        top += c
        cut = h if top >= h else max(step, top // step * step)
        if cut > sum(heights):
            heights.append(cut - sum(heights))
    planes = [p.rechunk((tuple(c // sl["planes"][i][2] for c in heights),) + (-1,) * (p.ndim - 1))
              for i, p in enumerate(planes)]
    ow = w // dl["align"][0] * dl["align"][0]
    blocks = [p.to_delayed().reshape(-1) for p in planes]
    nout = len(dl["planes"])
    out = [[] for _ in range(nout)]
    for k, rows in enumerate(heights):
        oh = rows // dl["align"][1] * dl["align"][1]
        if oh == 0:
            continue
        res = dask.delayed(_rows, pure=True, nout=nout)(sl["name"], dl["name"], options, *[b[k] for b in blocks])
        for i in range(nout):
            out[i].append(da.from_delayed(res[i], _plane_shape(dl, i, ow, oh), dtype=dl["dtype"]))
    return _result([da.concatenate(o) for o in out])


def _result(planes):
    return planes[0] if len(planes) == 1 else tuple(planes)
