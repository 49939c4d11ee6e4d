#!/usr/bin/env python3
"""Writes the fuzz harness's signatures.inc: one calling wrapper per exported image
function of include/qrxcc.h, driven by the harness's argument picker.

    python3 tools/gen/fuzz_signatures.py include/qrxcc.h OUT/signatures.inc

(run by the build of the fuzz target)

Every pointer gets a buffer sized from the ROI, its step and its layout
(channels from the name's layout letters, the sample type from its C type).
Subsampled chroma planes are sized as full-resolution planes (an upper
bound); packed and luma planes are sized exactly."""
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from api_signatures import channels, functions, layout_tokens  # noqa: E402


def allowed(name, has_step):
    s = ["qrxStatusOk", "qrxStatusNullPointer", "qrxStatusSizeError"]
    if has_step:
        s.append("qrxStatusStepError")
    if re.search(r"420|422|411|YCbCr|YCrCb|CbYCr|YUV|565|555|444", name) and "YCoCg" not in name:
        s.append("qrxStatusOddSize")
    if name.startswith("qrxiGamma") and "_32f_" in name:
        s.append("qrxStatusGammaRange")
    if name.startswith("qrxiGamma") and "_16u_" in name:
        s.append("qrxStatusOutOfMemory")
    if name.startswith("qrxiReduceBits"):
        s += ["qrxStatusOutOfMemory", "qrxStatusLevelsRange", "qrxStatusNoiseRange"]
    return " | ".join("bit(%s)" % x for x in s)


def wrapper(name, params):
    toks = layout_tokens(name)
    src_tok, dst_tok = toks[0], toks[-1]
    body = []
    margins = ", 3, 2" if any(p["name"] == "slicePosition" for p in params) else ""
    roi = next(p["name"] for p in params if p["kind"] == "roi")
    body.append("    const QrxSize %s = c.roi();" % roi)
    # attach every pointer (or array) to the step parameter that follows it
    for i, p in enumerate(params):
        if p["kind"] not in ("ptr", "array"):
            continue
        writable = not p["const"]
        side = src_tok if (p["const"] or "SrcDst" in p["name"]) else dst_tok
        if p["kind"] == "array":
            ch = 1
        elif p["name"].endswith("CbCr"):
            ch = -1  # interleaved half-width pairs: W + 1 samples
        elif p["name"].endswith("Y"):
            ch = 1
        else:
            ch = channels(side)
        c2 = 1 if side == "C2" else 0
        p["rb"] = "c.row_bytes(%s, %d, sizeof(%s), %d)" % (roi, ch, p["type"], c2)
        p["writable"] = writable
        nxt = params[i + 1] if i + 1 < len(params) else None
        p["step"] = nxt if nxt is not None and nxt["kind"] in ("step", "steps") else None
    # steps first (they size the buffers), each from the widest plane it serves
    for p in params:
        if p["kind"] == "step":
            users = [q for q in params if q.get("step") is p]
            rb = users[0]["rb"] if users else "0"
            body.append("    const int %s = c.step(%s, sizeof(%s));" % (p["name"], rb, users[0]["type"] if users else "Qrx8u"))
        elif p["kind"] == "steps":
            users = [q for q in params if q.get("step") is p]
            rb = users[0]["rb"]
            body.append("    int %s[%d];" % (p["name"], p["n"]))
            body.append("    for (int& s : %s) s = c.step(%s, sizeof(%s));" % (p["name"], rb, users[0]["type"]))
    for p in params:
        k = p["kind"]
        if k == "ptr":
            step = p["step"]["name"] if p["step"] else "c.contiguous(%s)" % p["rb"]
            if p["step"] and p["step"]["kind"] == "steps":
                raise SystemExit("pointer with step array: " + name)
            body.append("    %s%s* %s = c.plane<%s>(%s, %s, %s, %s%s);" % (
                "const " if p["const"] else "", p["type"], p["name"], p["type"], "true" if p["writable"] else "false",
                step, p["rb"], roi, margins))
        elif k == "array":
            body.append("    %s%s* %s[%d];" % ("const " if p["const"] else "", p["type"], p["name"], p["n"]))
            if p["step"] and p["step"]["kind"] == "steps":
                step = "%s[i]" % p["step"]["name"]
            elif p["step"]:
                step = p["step"]["name"]
            else:
                step = "c.contiguous(%s)" % p["rb"]
            body.append("    for (int i = 0; i < %d; ++i) %s[i] = c.plane<%s>(%s, %s, %s, %s%s);" % (
                p["n"], p["name"], p["type"], "true" if p["writable"] else "false", step, p["rb"], roi, margins))
        elif k == "twist":
            body.append("    Qrx32f %s[%d][4];" % (p["name"], p["rows"]))
            body.append("    c.matrix(&%s[0][0], %d);" % (p["name"], p["rows"] * 4))
        elif k == "weights":
            body.append("    const Qrx32f* %s = c.weights();" % p["name"])
        elif k == "aval":
            body.append("    const %s aval = static_cast<%s>(c.u16());" % (p["type"], p["type"]))
        elif k == "int":
            body.append("    const int %s = c.%s();" % (p["name"], p["name"]))
        elif k == "gamma":
            body.append("    const Qrx32f %s = c.gamma_bound();" % p["name"])
    args = ", ".join(p["name"] for p in params)
    body.append("    return %s(%s);" % (name, args))
    has_step = any(p["kind"] in ("step", "steps") for p in params)
    return "static QrxStatus fz_%s(Call& c) {\n%s\n}\n" % (name, "\n".join(body)), allowed(name, has_step)


def main():
    header, out = sys.argv[1], sys.argv[2]
    funcs = functions(header)
    with open(out, "w") as f:
        f.write("// Generated by tools/gen/fuzz_signatures.py from include/qrxcc.h; do not edit.\n")
        f.write("// %d functions.\n\n" % len(funcs))
        table = []
        for name, params in funcs:
            code, allow = wrapper(name, params)
            f.write(code + "\n")
            table.append('    {"%s", fz_%s, %s},' % (name, name, allow))
        f.write("static const Entry kEntries[] = {\n%s\n};\n" % "\n".join(table))


if __name__ == "__main__":
    main()
