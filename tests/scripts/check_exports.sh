#!/usr/bin/env bash
# libqrxcc.so exports exactly the names of the API list, each declared in qrxcc.h;
# libqrxcore.so exports only the thread-count variable.
set -euo pipefail
lib=$1 core=$2 header=$3 list=$4 nm=${5:-nm}
exported=$("$nm" -D --defined-only "$lib" | awk '{print $3}' | sort -u)
bad=$(comm -23 <(echo "$exported") <(sort -u "$list") || true)
if [ -n "$bad" ]; then echo "exported but not in the API list:"; echo "$bad"; exit 1; fi
missing=$(comm -13 <(echo "$exported") <(sort -u "$list") || true)
if [ -n "$missing" ]; then echo "in the API list but not exported:"; echo "$missing"; exit 1; fi
for name in $exported; do
  grep -q "\b$name(" "$header" || { echo "exported but not declared in qrxcc.h: $name"; exit 1; }
done
grep -q '^qrxccGetLibVersion$' <<<"$exported" || { echo "qrxccGetLibVersion missing"; exit 1; }
core_exports=$("$nm" -D --defined-only "$core" | awk '{print $3}' | sort -u)
[ "$core_exports" = "threads_omp_of_n_qrx" ] || { echo "libqrxcore exports: $core_exports"; exit 1; }
echo "exports ok: $(echo "$exported" | wc -l) of $(grep -c . "$list") API names"
