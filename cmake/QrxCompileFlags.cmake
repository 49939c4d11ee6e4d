# Bit-exact floats: no contraction into fused multiply-add, no fast-math.
# The baseline target is the compiler's default for the architecture.
add_compile_options(-ffp-contract=off -fno-fast-math)

set(QRX_WARNINGS -Wall -Wextra)

if(QRX_SANITIZE)
  add_compile_options(-fsanitize=${QRX_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${QRX_SANITIZE})
endif()

# Per-level kernel files are told apart by their name suffix.  The scalar level
# is kept free of auto-vectorisation so that it stays a plain reference.
function(qrx_apply_level_flags sources)
  if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    set(novec -fno-vectorize -fno-slp-vectorize)
  else()
    set(novec -fno-tree-vectorize)
  endif()
  foreach(src IN LISTS sources)
    if(src MATCHES "resample/chroma_")
      # The chroma byte moves run at cache bandwidth, and a loop that straddled
      # three fetch lines instead of two measured up to 0.5% slower, depending
      # only on where the linker put it: their loops start on a 64-byte line.
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -falign-loops=64)
    endif()
    if(src MATCHES "_scalar\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS ${novec})
    elseif(src MATCHES "_sse2\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -msse2)
    elseif(src MATCHES "_ssse3\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -mssse3)
    elseif(src MATCHES "_sse41\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -msse4.1)
    elseif(src MATCHES "_avx2\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -mavx2 -mbmi2 -mfma)
    elseif(src MATCHES "_avx512\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS -mavx512f -mavx512bw -mavx512vl -mavx512dq -mavx2 -mbmi2 -mfma)
    elseif(src MATCHES "_avx512vbmi\\.cpp$")
      set_property(SOURCE ${src} APPEND PROPERTY COMPILE_OPTIONS
        -mavx512f -mavx512bw -mavx512vl -mavx512dq -mavx512vbmi -mavx512vnni -mavx2 -mbmi2 -mfma)
    endif()
  endforeach()
endfunction()
