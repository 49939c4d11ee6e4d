// qrxcc.convert: a NumPy image in any registry format to any other, through
// the registry's RGB24 hub, with the bytes that qrxconvert writes.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <string>
#include <vector>

#include "formats.h"
#include "lib_support.h"

namespace qrxpy {
namespace {

using qrxconvert::Format;
using qrxconvert::Layout;
using qrxconvert::Sample;

py::dtype dtype_of(Sample s) {
    return s == Sample::u8 ? py::dtype::of<std::uint8_t>() : s == Sample::u16 ? py::dtype::of<std::uint16_t>()
                                                                               : py::dtype::of<std::int16_t>();
}

const Format& format_arg(const std::string& name, bool reading) {
    const Format* f = qrxconvert::find_format(name);
    if (!f) throw py::value_error("unknown format '" + name + "' (see qrxcc.formats())");
    if (reading && !f->decode) throw py::value_error("format " + std::string(f->name) + " can be written but not read");
    if (!reading && !f->encode) throw py::value_error("format " + std::string(f->name) + " can be read but not written");
    return *f;
}

qrxconvert::Options options_arg(const py::kwargs& kw, const Format& dst) {
    qrxconvert::Options opt;
    for (auto item : kw) {
        const std::string key = py::str(item.first);
        if (key == "dither") {
            opt.dither = item.second.cast<bool>();
        } else if (key == "slice") {
            opt.slice_rows = item.second.is_none() ? 0 : item.second.cast<int>();
            if (opt.slice_rows && (opt.slice_rows < 4 || opt.slice_rows % 2))
                throw py::value_error("slice needs an even number of rows, at least 4");
            if (opt.slice_rows && std::string(dst.name) != "yuyv422-smooth")
                throw py::value_error("slice applies to the yuyv422-smooth output only");
        } else {
            throw py::value_error("unknown option '" + key + "' (options: dither, slice)");
        }
    }
    return opt;
}

// The planes of the input as arrays, in the format's order.
std::vector<py::array> planes_arg(const py::object& image, const Layout& l, const char* name) {
    std::vector<py::array> planes;
    if (l.planes == 1) {
        if (!py::isinstance<py::array>(image)) throw py::type_error(std::string(name) + " images are one NumPy array");
        planes.push_back(py::reinterpret_borrow<py::array>(image));
    } else {
        if (!py::isinstance<py::tuple>(image) && !py::isinstance<py::list>(image))
            throw py::type_error(std::string(name) + " images are a tuple of " + std::to_string(l.planes) + " planes");
        py::sequence seq = py::reinterpret_borrow<py::sequence>(image);
        if (static_cast<int>(py::len(seq)) != l.planes)
            throw py::value_error(std::string(name) + " images have " + std::to_string(l.planes) + " planes");
        for (auto p : seq) {
            if (!py::isinstance<py::array>(p)) throw py::type_error("every plane is a NumPy array");
            planes.push_back(py::reinterpret_borrow<py::array>(p));
        }
    }
    for (py::array& a : planes)
        if (!a.dtype().is(dtype_of(l.sample)))
            throw py::type_error(std::string(name) + " planes are " + dtype_name(dtype_of(l.sample)) +
                                 ", not " + dtype_name(a.dtype()));
    return planes;
}

// The shape of plane i of a w x h frame (rows, columns[, channels]).
std::vector<py::ssize_t> shape_of(const Layout& l, int i, int w, int h) {
    std::vector<py::ssize_t> s = {l.rows(i, h), l.cols(i, w)};
    if (l.plane[i].channels > 1) s.push_back(l.plane[i].channels);
    return s;
}

// A row step for the plane when its pixels and samples lie densely within each row.
bool row_step(const py::array& a, const Layout& l, int i, int& step) {
    const py::ssize_t item = static_cast<py::ssize_t>(l.sample_bytes());
    if (a.ndim() == 3 && a.strides(2) != item) return false;
    if (a.shape(1) > 1 && a.strides(1) != item * l.plane[i].channels) return false;
    if (a.strides(0) < INT32_MIN || a.strides(0) > INT32_MAX) return false;
    step = static_cast<int>(a.strides(0));
    return true;
}

}  // namespace

// `into`: None, or the output planes to write (qrxcc.dask converts each frame of a
// chunk straight into the chunk's planes, so that no frame is copied afterwards).
py::object convert(const py::object& image, const std::string& src_name, const std::string& dst_name,
                   const py::kwargs& kw, const py::object& into) {
    const Format& src = format_arg(src_name, true);
    const Format& dst = format_arg(dst_name, false);
    const qrxconvert::Options opt = options_arg(kw, dst);
    const Layout& sl = src.layout;
    std::vector<py::array> in = planes_arg(image, sl, src.name);

    // the size from the first plane; every plane must have its shape
    const int want_dims = sl.plane[0].channels > 1 ? 3 : 2;
    if (in[0].ndim() != want_dims && !(in[0].ndim() == 3 && want_dims == 2 && in[0].shape(2) == 1))
        throw py::value_error(std::string(src.name) + ": the first plane must have " + std::to_string(want_dims) + " dimensions");
    if (in[0].shape(0) < 1 || in[0].shape(1) < 1 || in[0].shape(0) > INT32_MAX / 8 || in[0].shape(1) > INT32_MAX / 8)
        throw py::value_error("the image is empty or too large");
    const int h = static_cast<int>(in[0].shape(0)), w = static_cast<int>(in[0].shape(1));
    if (w % src.align_w || h % src.align_h)
        throw py::value_error(std::string(src.name) + " images are a multiple of " + std::to_string(src.align_w) + "x" +
                              std::to_string(src.align_h) + " pixels");
    qrxconvert::View raw{};
    for (int i = 0; i < sl.planes; ++i) {
        const std::vector<py::ssize_t> shape = shape_of(sl, i, w, h);
        bool ok = static_cast<std::size_t>(in[i].ndim()) == shape.size() || (i == 0 && in[i].ndim() == 3);
        for (std::size_t d = 0; ok && d < shape.size(); ++d) ok = in[i].shape(d) == shape[d];
        if (!ok) throw py::value_error(std::string(src.name) + ": plane " + std::to_string(i) + " has the wrong shape");
        if (!row_step(in[i], sl, i, raw.step[i])) {  // copied only when no row step describes it
            in[i] = py::array::ensure(in[i], py::array::c_style);
            raw.step[i] = static_cast<int>(sl.row_bytes(i, w));
        }
        raw.p[i] = static_cast<std::uint8_t*>(const_cast<void*>(in[i].data()));
    }

    // the output: the top-left part that the destination format can hold, as qrxconvert does
    const int ow = w / dst.align_w * dst.align_w, oh = h / dst.align_h * dst.align_h;
    if (ow == 0 || oh == 0) throw py::value_error(std::to_string(w) + "x" + std::to_string(h) + " is too small for " + dst.name);
    const Layout& dl = dst.layout;
    std::vector<py::array> out;
    qrxconvert::View to{};
    if (!into.is_none()) out = planes_arg(into, dl, dst.name);
    for (int i = 0; i < dl.planes; ++i) {
        const std::vector<py::ssize_t> shape = shape_of(dl, i, ow, oh);
        if (into.is_none()) {
            out.emplace_back(dtype_of(dl.sample), shape);
            to.step[i] = static_cast<int>(dl.row_bytes(i, ow));
        } else {
            bool ok = static_cast<std::size_t>(out[i].ndim()) == shape.size() && out[i].writeable();
            for (std::size_t d = 0; ok && d < shape.size(); ++d) ok = out[i].shape(d) == shape[d];
            if (!ok || !row_step(out[i], dl, i, to.step[i]) || to.step[i] < static_cast<int>(dl.row_bytes(i, ow)))
                throw py::value_error(std::string(dst.name) + ": output plane " + std::to_string(i) +
                                      " is not a writable array of rows of its shape");
        }
        to.p[i] = static_cast<std::uint8_t*>(out[i].mutable_data());
    }

    const bool src_rgb = std::string(src.name) == "rgb24", dst_rgb = std::string(dst.name) == "rgb24";
    QrxStatus st = qrxStatusOk;
    {
        py::gil_scoped_release nogil;
        if (src_rgb) {  // the input is the hub
            st = dst.encode(to, raw.p[0], raw.step[0], ow, oh, opt);
        } else if (dst_rgb && ow == w && oh == h) {  // the output is the hub
            st = src.decode(raw, to.p[0], to.step[0], w, h, opt);
        } else {
            std::vector<std::uint8_t> rgb(static_cast<std::size_t>(w) * h * 3);
            st = src.decode(raw, rgb.data(), w * 3, w, h, opt);
            if (st >= 0) st = dst.encode(to, rgb.data(), w * 3, ow, oh, opt);
        }
    }
    if (st < 0) raise_status("convert", st);
    if (!into.is_none()) return py::none();
    if (dl.planes == 1) return out[0];
    py::tuple t(dl.planes);
    for (int i = 0; i < dl.planes; ++i) t[i] = out[i];
    return t;
}

}  // namespace qrxpy
