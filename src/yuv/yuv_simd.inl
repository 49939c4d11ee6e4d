// Hand-written vector bodies (SSE2 / AVX2), included inside the anonymous
// namespace of yuv_rows.inl.
