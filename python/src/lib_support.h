// Argument handling of qrxcc.lib: NumPy arrays in, every byte a call may
// reach checked against its array before the library sees the pointer.
#pragma once

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <type_traits>
#include <string>
#include <vector>

#include "qrxcc.h"

namespace qrxpy {
namespace py = pybind11;

inline std::string dtype_name(const py::dtype& d) { return py::str(py::handle(d)).cast<std::string>(); }

[[noreturn]] void raise_status(const char* function, int status);  // qrxcc.QrxError
int check_status(const char* function, int status);                 // warnings are returned

QrxSize size_arg(const py::handle& o);

// One pointer argument: None (a null pointer), an array, or (array, byte offset)
// for a pointer inside an array (rows above it, or a negative step).
template <class T>
struct Ptr {
    T* p = nullptr;
    long long before = 0, after = 0;  // bytes of the array before / from the pointer
    py::object keep;
    Ptr(const py::handle& o, bool writable, const char* name) {
        if (o.is_none()) return;
        py::handle a = o;
        long long offset = 0;
        if (py::isinstance<py::tuple>(o) && py::len(o) == 2) {
            a = py::reinterpret_borrow<py::tuple>(o)[0];
            offset = py::reinterpret_borrow<py::tuple>(o)[1].cast<long long>();
        }
        if (!py::isinstance<py::array>(a)) throw py::type_error(std::string(name) + ": a NumPy array is needed");
        py::array arr = py::reinterpret_borrow<py::array>(a);
        const py::dtype want = py::dtype::of<std::remove_const_t<T>>();
        if (!arr.dtype().is(want))
            throw py::type_error(std::string(name) + ": dtype " + dtype_name(want) +
                                 " is needed, not " + dtype_name(arr.dtype()));
        if (!(arr.flags() & (py::array::c_style | py::array::f_style)))
            throw py::value_error(std::string(name) + ": the array must be contiguous (the step describes its rows)");
        if (writable && !arr.writeable()) throw py::value_error(std::string(name) + ": the array is read-only");
        const long long n = static_cast<long long>(arr.nbytes());
        if (offset < 0 || offset > n || offset % static_cast<long long>(sizeof(T)))
            throw py::value_error(std::string(name) + ": offset outside the array or not a whole sample");
        p = reinterpret_cast<T*>(static_cast<std::uint8_t*>(const_cast<void*>(arr.data())) + offset);
        before = offset, after = n - offset;
        keep = arr;
    }
    // Rows -lead .. rows-1+trail of row_bytes each, `step` bytes apart (and at
    // the step rounded down to whole samples, as wide-sample functions use it).
    void need(long long rows, long long row_bytes, long long step, int lead, int trail, const char* name) const {
        if (!p || rows <= 0 || row_bytes <= 0) return;
        const long long s = sizeof(T);
        const long long floored = (step >= 0 ? step / s : -((-step + s - 1) / s)) * s;
        long long lo = 0, hi = 0;
        for (long long st : {step, floored})
            for (long long r : {-static_cast<long long>(lead), rows - 1 + trail}) lo = std::min(lo, r * st), hi = std::max(hi, r * st);
        if (-lo > before || hi + row_bytes > after)
            throw py::value_error(std::string(name) + ": the array is too small for the size and step (" +
                                  std::to_string(-lo) + " bytes before and " + std::to_string(hi + row_bytes) +
                                  " from the pointer are reached; it holds " + std::to_string(before) + " and " +
                                  std::to_string(after) + ")");
    }
};

// A plane-pointer array: a list of n pointer arguments.
template <class T, int N>
struct Planes {
    std::vector<Ptr<T>> ptr;
    T* p[N] = {};
    bool null = false;
    Planes(const py::handle& o, bool writable, const char* name) {
        if (o.is_none()) {
            null = true;
            return;
        }
        py::sequence seq = py::reinterpret_borrow<py::sequence>(o);
        if (py::len(seq) != N) throw py::value_error(std::string(name) + ": " + std::to_string(N) + " planes are needed");
        for (int i = 0; i < N; ++i) ptr.emplace_back(seq[i], writable, name), p[i] = ptr.back().p;
    }
    T* const* arg() const { return null ? nullptr : p; }
};

template <int N>
struct Steps {
    int v[N];
    explicit Steps(const py::handle& o) {
        py::sequence seq = py::reinterpret_borrow<py::sequence>(o);
        if (py::len(seq) != N) throw py::value_error(std::to_string(N) + " steps are needed");
        for (int i = 0; i < N; ++i) v[i] = seq[i].cast<int>();
    }
};

// float vectors and matrices (weights, twist): None or exactly n values
struct Floats {
    std::vector<Qrx32f> v;
    bool null = false;
    Floats(const py::handle& o, std::size_t n, const char* name);
    const Qrx32f* arg() const { return null ? nullptr : v.data(); }
};

template <class T>
T sample_arg(const py::handle& o, const char* name) {
    const long long v = o.cast<long long>();
    if (v < std::numeric_limits<T>::min() || v > std::numeric_limits<T>::max())
        throw py::value_error(std::string(name) + ": out of range of its sample type");
    return static_cast<T>(v);
}

inline long long ceil_div(long long a, long long b) { return a > 0 ? (a + b - 1) / b : 0; }

}  // namespace qrxpy
