"""qrxcc: bit-exact colour-conversion primitives for NumPy images.

formats()                      the format names (those of ``qrxconvert list``)
convert(image, src, dst, ...)  one image from format src to format dst
lib                            every exported C function, C arguments in C order
dask.convert(array, src, dst)  the same over a Dask array of frames or rows
"""
from ._qrxcc import convert, formats, get_threads, lib, set_threads


class QrxError(RuntimeError):
    """An error status of the library: ``status`` is its name, ``value`` its number."""

    def __init__(self, function, status, value):
        super().__init__("%s: %s (%d)" % (function, status, value))
        self.function, self.status, self.value = function, status, value


_ext = __import__("qrxcc._qrxcc", fromlist=["_set_error"])
_ext._set_error(QrxError)

__all__ = ["QrxError", "convert", "formats", "get_threads", "lib", "set_threads"]
