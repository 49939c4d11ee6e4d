#!/usr/bin/env python3
"""Writes lib_bindings.cpp of the Python package: qrxcc.lib, one binding per
exported image function of include/qrxcc.h, taking the C arguments in C order,
and the names of the status values.

    python3 tools/gen/py_bindings.py include/qrxcc.h OUT/lib_bindings.cpp

(run by the build of the Python module).  Before each call every array is
checked to hold every byte that the size and steps reach: full-size planes
W x H, subsampled chroma planes rounded up, packed 4:2:2 rows in whole pairs,
16-bit packed RGB one sample per pixel, and for the slice-wise smoothing
functions the rows that a slice reads or writes above and below itself."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from api_signatures import channels, functions, layout_tokens, models, sampling, statuses  # noqa: E402

C_TYPE = {"ptr": "py::object", "array": "py::object", "steps": "py::object", "roi": "py::object",
          "twist": "py::object", "weights": "py::object", "aval": "py::object", "step": "int", "int": "int",
          "gamma": "float"}


def extent(name, p, index, tok, model):
    """(rows, samples per row) of a plane as C++ expressions in W and H."""
    cx, cy = sampling(model)
    if p["kind"] == "array" and index > 0 and tok == "P3" and (cx, cy) != (1, 1):
        return "ceil_div(H, %d)" % cy, "ceil_div(W, %d)" % cx
    if p["name"].endswith("CbCr"):
        return "ceil_div(H, %d)" % cy, "2 * ceil_div(W, %d)" % cx
    if p["kind"] == "array" or p["name"].endswith("Y"):
        return "H", "W"
    if p["type"] == "Qrx16u" and re.search(r"565|555|444", model):
        return "H", "W"
    if tok == "C2":
        return "H", "4 * ceil_div(W, 2)"
    return "H", "W * %d" % channels(tok)


def binding(name, params):
    toks = layout_tokens(name)
    src_model, dst_model = models(name)
    sliced = any(p["name"] == "slicePosition" for p in params)
    roi = next(p["name"] for p in params if p["kind"] == "roi")
    args, body, call = [], [], []
    body.append("const QrxSize roi = size_arg(%s);" % roi)
    body.append("const long long W = roi.width, H = roi.height;")
    for i, p in enumerate(params):
        n, k = p["name"], p["kind"]
        args.append("%s %s" % (C_TYPE[k], n))
        nxt = params[i + 1] if i + 1 < len(params) else None
        step = nxt if nxt is not None and nxt["kind"] in ("step", "steps") else None
        if k in ("ptr", "array"):
            src_side = p["const"] or "SrcDst" in n
            tok, model = (toks[0], src_model) if src_side else (toks[-1], dst_model)
            t = ("const " if p["const"] else "") + p["type"]
            writable = "false" if p["const"] else "true"
            if k == "ptr":
                body.append('Ptr<%s> a_%s(%s, %s, "%s");' % (t, n, n, writable, n))
                planes = [("a_%s" % n, 0, n)]
                call.append("a_%s.p" % n)
            else:
                body.append('Planes<%s, %d> a_%s(%s, %s, "%s");' % (t, p["n"], n, n, writable, n))
                planes = [("a_%s.ptr[%d]" % (n, j), j, "%s[%d]" % (n, j)) for j in range(p["n"])]
                body.append("if (!a_%s.null) {" % n)
                call.append("a_%s.arg()" % n)
            for obj, j, label in planes:
                rows, samples = extent(name, p, j, tok, model)
                rb = "(%s) * static_cast<long long>(sizeof(%s))" % (samples, p["type"])
                if step is None:
                    st = rb
                elif step["kind"] == "steps":
                    st = "s_%s.v[%d]" % (step["name"], j)
                else:
                    st = step["name"]
                lead, trail = ("lead(%d)" % (3 if rows == "H" else 2), "trail") if sliced else ("0", "0")
                body.append('%s.need(%s, %s, %s, %s, %s, "%s");' % (obj, rows, rb, st, lead, trail, label))
            if k == "array":
                body.append("}")
        elif k == "steps":
            body.insert(2, "const Steps<%d> s_%s(%s);" % (p["n"], n, n))
            call.append("s_%s.v" % n)
        elif k in ("twist", "weights"):
            count = p["rows"] * 4 if k == "twist" else 3
            body.append('const Floats f_%s(%s, %d, "%s");' % (n, n, count, n))
            call.append("reinterpret_cast<const Qrx32f(*)[4]>(f_%s.arg())" % n if k == "twist" else "f_%s.arg()" % n)
        elif k == "aval":
            body.append('const %s v_aval = sample_arg<%s>(aval, "aval");' % (p["type"], p["type"]))
            call.append("v_aval")
        elif k == "roi":
            call.append("roi")
        else:
            call.append(n)
    if sliced:
        body.insert(2, "const bool top = slicePosition & qrxSliceTop;")
        body.insert(3, "auto lead = [&](int rows) { return top ? 0 : rows; };")
        body.insert(4, "const int trail = !(slicePosition & qrxSliceBottom) && H <= 2 ? 1 : 0;")
    body.append("QrxStatus st;")
    body.append("{ py::gil_scoped_release nogil; st = %s(%s); }" % (name, ", ".join(call)))
    body.append('return check_status("%s", st);' % name)
    names = ", ".join('py::arg("%s")' % p["name"] for p in params)
    return '    lib.def("%s", [](%s) -> int {\n        %s\n    }, %s);\n' % (
        name, ", ".join(args), "\n        ".join(body), names)


def main():
    header, out = sys.argv[1], sys.argv[2]
    funcs = functions(header)
    with open(out, "w") as f:
        f.write("// Generated by tools/gen/py_bindings.py from include/qrxcc.h; do not edit.\n")
        f.write("// %d functions.\n" % len(funcs))
        f.write('#include "lib_support.h"\n\nnamespace qrxpy {\n\n')
        f.write("const char* status_name(int status) {\n    switch (status) {\n")
        for sname, value in statuses(header):
            f.write('    case %d: return "%s";\n' % (value, sname))
        f.write('    }\n    return "unknown status";\n}\n\n')
        f.write("void bind_lib(py::module_& lib) {\n")
        for name, params in funcs:
            f.write(binding(name, params))
        f.write("}\n\n}  // namespace qrxpy\n")


if __name__ == "__main__":
    main()
