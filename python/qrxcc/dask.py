"""qrxcc.convert over Dask arrays.

convert(array, src, dst, **options) takes a Dask array of frames (N x H x W x C,
or N x H x W for one channel; a tuple of such arrays for planar formats) or one
large image (H x W x C, chunked by rows) and returns Dask arrays (a tuple for
planar formats, frames along the first axis) that compute the bytes of
qrxcc.convert on each frame, or on the whole image.  Any scheduler serves: the
threaded one (the conversions release the GIL) or a distributed Client.
Consecutive chunks of frames smaller than TASK_BYTES are converted together, so
the outputs are chunked by those groups.
"""
import functools
import itertools
import math
import operator

import dask.array as da
import numpy as np
from dask.base import tokenize
from dask.core import flatten
from dask.highlevelgraph import HighLevelGraph

from . import _qrxcc


def _one(planes):  # a one-plane format takes and gives the array itself
    return planes[0] if len(planes) == 1 else tuple(planes)


def _chunk(src, dst, options, shapes, dtype, frames, *planes):
    """Converts one chunk straight into its output planes (nothing is copied after
    the conversion): its frames one by one, from the input blocks that it covers
    (a list per input plane), or its rows at once."""
    # one allocation for the chunk's planes: large enough that NumPy asks for huge pages
    at = np.cumsum([0] + [math.prod(s) for s in shapes])
    buf = np.empty(at[-1], dtype)
    out = tuple(buf[a:b].reshape(s) for a, b, s in zip(at, at[1:], shapes))
    if frames:
        pairs = zip(zip(*[itertools.chain.from_iterable(p) for p in planes]), zip(*out))
    else:
        pairs = [([p[0] for p in planes], out)]
    for image, into in pairs:
        _qrxcc._convert_into(_one(into), _one(image), src, dst, **options)
    return _one(out)


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


# Input bytes that one task converts at least, when the input's chunks are smaller:
# the scheduler's thread hand-offs cost about 80 us per task here, as much as a
# tenth of a fast 1920x1080 conversion.
TASK_BYTES = 16 * 2**20


def _by_frames(planes, sl, dl, options):
    n, h, w = planes[0].shape[:3]
    planes = [p.rechunk((planes[0].chunks[0],) + (-1,) * (p.ndim - 1)) for p in planes]
    ow, oh = w // dl["align"][0] * dl["align"][0], h // dl["align"][1] * dl["align"][1]
    shapes = [_plane_shape(dl, i, ow, oh) for i in range(len(dl["planes"]))]
    # tasks of consecutive input blocks, at least TASK_BYTES each, sharing the frames evenly
    frame_bytes = sum(math.prod(p.shape[1:]) * p.dtype.itemsize for p in planes)
    tasks = min(len(planes[0].chunks[0]), -(-n * frame_bytes // TASK_BYTES))
    groups, first = {}, 0
    for k, c in enumerate(planes[0].chunks[0]):
        ks, m = groups.get(first * tasks // max(n, 1), ([], 0))
        groups[first * tasks // max(n, 1)] = (ks + [k], m + c)
        first += c
    return _arrays(planes, sl, dl, options, [(ks, tuple((m,) + s for s in shapes)) for ks, m in groups.values()], True)


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
    rows = [(k, c // dl["align"][1] * dl["align"][1]) for k, c in enumerate(heights)]
    return _arrays(planes, sl, dl, options, [([k], tuple(_plane_shape(dl, i, ow, oh) for i in range(len(dl["planes"]))))
                                             for k, oh in rows if oh > 0], False)  # a last row of a chroma pair is cut


def _arrays(planes, sl, dl, options, chunks, frames):
    """The output planes as Dask arrays: per chunk (its input blocks, output plane shapes)
    one task converts it into all its planes, each picked by index when there are
    several.  Few tasks: the scheduler's work per task is serial to the conversions."""
    nout, dtype = len(dl["planes"]), dl["dtype"]
    blocks = [list(flatten(p.__dask_keys__())) for p in planes]
    name = "qrxcc-convert-" + tokenize([p.name for p in planes], sl["name"], dl["name"], options, frames)
    tail = [(0,) * (len(chunks[0][1][i]) - 1) for i in range(nout)]
    layer = {((name, j) + tail[0] if nout == 1 else (name, j)):
             (functools.partial(_chunk, sl["name"], dl["name"], options, shapes, dtype, frames),) +
             tuple([b[k] for k in ks] for b in blocks) for j, (ks, shapes) in enumerate(chunks)}
    graph = HighLevelGraph.from_collections(name, layer, dependencies=planes)
    dims = [(tuple(s[i][0] for _, s in chunks),) + tuple((d,) for d in chunks[0][1][i][1:]) for i in range(nout)]
    if nout == 1:
        return da.Array(graph, name, dims[0], dtype=dtype)
    out = []
    for i in range(nout):
        pick = {(name + "-%d" % i, j) + tail[i]: (operator.getitem, (name, j), i) for j in range(len(chunks))}
        out.append(da.Array(HighLevelGraph(dict(graph.layers, **{name + "-%d" % i: pick}),
                                           dict(graph.dependencies, **{name + "-%d" % i: {name}})),
                            name + "-%d" % i, dims[i], dtype=dtype))
    return tuple(out)
