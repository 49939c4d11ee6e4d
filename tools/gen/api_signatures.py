"""Reads include/qrxcc.h: every exported image function with its parameters,
and the status values.  The one header parser of the build-time generators
(tools/gen/fuzz_signatures.py, tools/gen/py_bindings.py)."""
import re

DECL = re.compile(r"^QRXCC_API QrxStatus (qrx\w+)\((.*)\);")
STATUS = re.compile(r"^\s*(qrxStatus\w+)\s*=\s*(-?\d+)")
FORMS = [  # (kind, pattern); groups are named after the fields they fill
    ("twist", r"const Qrx32f (?P<name>\w+)\[(?P<rows>\d)\]\[4\]"),
    ("weights", r"const Qrx32f \*(?P<name>pWeights)"),
    ("array", r"(?P<const>const )?(?P<type>\w+) \*const (?P<name>\w+)\[(?P<n>\d)\]"),
    ("ptr", r"(?P<const>const )?(?P<type>\w+) \*(?P<name>\w+)"),
    ("steps", r"const int (?P<name>\w+)\[(?P<n>\d)\]"),
    ("step", r"int (?P<name>\w+Step)"),
    ("roi", r"QrxSize (?P<name>\w+)"),
    ("aval", r"(?P<type>Qrx8u|Qrx16s) (?P<name>aval)"),
    ("int", r"int (?P<name>noise|dtype|levels|slicePosition)"),
    ("gamma", r"Qrx32f (?P<name>vMin|vMax)"),
]


def parse_params(text):
    out = []
    for p in [x.strip() for x in text.split(",")]:
        for kind, pattern in FORMS:
            m = re.fullmatch(pattern, p)
            if m:
                d = {k: v for k, v in m.groupdict().items() if k != "const"}
                d["kind"], d["const"] = kind, bool(m.groupdict().get("const"))
                for k in ("rows", "n"):
                    if k in d:
                        d[k] = int(d[k])
                out.append(d)
                break
        else:
            raise SystemExit("unknown parameter form: %r" % p)
    return out


def functions(header):
    """[(name, [param, ...])] in header order."""
    funcs = []
    for line in open(header):
        m = DECL.match(line.strip())
        if m:
            funcs.append((m.group(1), parse_params(m.group(2))))
    return funcs


def statuses(header):
    """[(name, value)] of the QrxStatus enumeration."""
    return [(m.group(1), int(m.group(2))) for m in map(STATUS.match, open(header)) if m]


def layout_tokens(name):
    """Layout codes of a function name, source first (C1 when it names none)."""
    tail = name.split("_")[-1]
    tail = re.sub(r"I?R$", "", tail) if tail.endswith("R") else tail
    return re.findall(r"AC4|AP4|C\d|P\d", tail) or ["C1"]


def models(name):
    """(source model, destination model) of a function name."""
    m = name[len("qrxi"):].split("_")[0]
    src, _, dst = m.partition("To")
    return src, dst or src


def sampling(model):
    """Chroma subsampling (horizontal, vertical) named by a model."""
    return (2, 2) if "420" in model else (2, 1) if "422" in model else (4, 1) if "411" in model else (1, 1)


def channels(tok):
    return {"C1": 1, "C2": 2, "C3": 3, "C4": 4, "AC4": 4}.get(tok, 1)
