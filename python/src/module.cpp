// The qrxcc Python module: the format registry (formats, convert) and the
// generated qrxcc.lib bindings.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats.h"
#include "lib_support.h"

namespace qrxpy {

const char* status_name(int status);  // generated with the bindings
void bind_lib(py::module_& lib);      // generated
py::object convert(const py::object& image, const std::string& src, const std::string& dst, const py::kwargs& kw,
                   const py::object& into);

namespace {
py::object g_error;  // qrxcc.QrxError, set by the package
}

[[noreturn]] void raise_status(const char* function, int status) {
    py::object err = g_error ? g_error : py::reinterpret_borrow<py::object>(PyExc_RuntimeError);
    PyErr_SetObject(err.ptr(), err(function, status_name(status), status).ptr());
    throw py::error_already_set();
}

int check_status(const char* function, int status) {
    if (status < 0) raise_status(function, status);
    return status;
}

QrxSize size_arg(const py::handle& o) {
    py::sequence s = py::reinterpret_borrow<py::sequence>(o);
    if (py::len(s) != 2) throw py::value_error("the size is a (width, height) tuple");
    return {s[0].cast<int>(), s[1].cast<int>()};
}

Floats::Floats(const py::handle& o, std::size_t n, const char* name) {
    if (o.is_none()) {
        null = true;
        return;
    }
    auto a = py::array_t<Qrx32f, py::array::c_style | py::array::forcecast>::ensure(o);
    if (!a || static_cast<std::size_t>(a.size()) != n)
        throw py::value_error(std::string(name) + ": " + std::to_string(n) + " float values are needed");
    v.assign(a.data(), a.data() + n);
}

}  // namespace qrxpy

PYBIND11_MODULE(_qrxcc, m) {
    namespace py = pybind11;
    m.doc() = "qrxcc: bit-exact colour-conversion primitives";
    m.def("_set_error", [](py::object e) { qrxpy::g_error = e; });
    m.def("formats", [] {
        py::list out;
        for (const qrxconvert::Format& f : qrxconvert::formats()) out.append(f.name);
        return out;
    }, "The format names that convert() reads and writes (those of qrxconvert list).");
    m.def("convert", [](const py::object& image, const std::string& src, const std::string& dst, const py::kwargs& kw) {
        return qrxpy::convert(image, src, dst, kw, py::none());
    }, py::arg("image"), py::arg("src"), py::arg("dst"),
          "Converts an image (array, or tuple of planes) from format src to format dst.");
    m.def("_convert_into", [](const py::object& out, const py::object& image, const std::string& src,
                              const std::string& dst, const py::kwargs& kw) {
        return qrxpy::convert(image, src, dst, kw, out);
    }, py::arg("out"), py::arg("image"), py::arg("src"), py::arg("dst"));  // qrxcc.dask: into the chunk's planes
    m.def("_layout", [](const std::string& name) {  // what qrxcc.dask needs to shape its blocks
        const qrxconvert::Format* f = qrxconvert::find_format(name);
        if (!f) throw py::value_error("unknown format '" + name + "' (see qrxcc.formats())");
        const qrxconvert::Layout& l = f->layout;
        py::list planes;
        for (int i = 0; i < l.planes; ++i) planes.append(py::make_tuple(l.plane[i].channels, l.plane[i].cx, l.plane[i].cy));
        const char* dtype = l.sample == qrxconvert::Sample::u8 ? "uint8" : l.sample == qrxconvert::Sample::u16 ? "uint16" : "int16";
        return py::dict(py::arg("name") = f->name, py::arg("align") = py::make_tuple(f->align_w, f->align_h),
                        py::arg("dtype") = dtype, py::arg("planes") = planes);
    });
    m.def("get_threads", [] { return threads_omp_of_n_qrx; }, "Thread count of the row-parallel conversions.");
    m.def("set_threads", [](int n) {
        if (n < 1) throw py::value_error("the thread count must be at least 1");
        threads_omp_of_n_qrx = n;
    }, py::arg("n"));
    py::module_ lib = m.def_submodule("lib", "Every exported C function under its own name, C arguments in C order.");
    lib.def("qrxccGetLibVersion", [] {
        const QrxLibraryVersion* v = qrxccGetLibVersion();
        py::dict d;
        d["major"] = v->major, d["minor"] = v->minor, d["buildMajor"] = v->buildMajor, d["buildMinor"] = v->buildMinor;
        d["cpuCode"] = std::string(v->cpuCode, strnlen(v->cpuCode, 4));
        d["fileName"] = v->fileName, d["versionText"] = v->versionText, d["buildDate"] = v->buildDate;
        return d;
    });
    qrxpy::bind_lib(lib);
    // drop the reference to the error class before the interpreter is torn down
    py::module_::import("atexit").attr("register")(py::cpp_function([] { qrxpy::g_error = py::object(); }));
}
