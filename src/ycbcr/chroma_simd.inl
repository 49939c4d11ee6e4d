// Hand-written vector bodies (included by chroma_rows.inl at SIMD levels).
// Placeholder until the vector paths land: generic bodies.
namespace {
constexpr PixToPackedFn k_rgb_c3_yuy_fp_p17 = g_pix_packed<3, false, false, fp_y, p17_cb, p17_cr>;
constexpr PixToPackedFn k_bgr_c3_yuy_y15_p11 = g_pix_packed<3, true, false, y15, p11_cb, p11_cr>;
constexpr PixToPackedFn k_bgr_ac4_yuy_y15_p11 = g_pix_packed<4, true, false, y15, p11_cb, p11_cr>;
constexpr PixToPlanesFn k_bgr_c3_p3_y15_p11 = g_bgr_p3_y15_p11<3>;
constexpr PixToPlanesFn k_bgr_ac4_p3_y15_p11 = g_bgr_p3_y15_p11<4>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10 = g_pix_packed<4, true, true, y15, p10_cb, p10_cr>;
constexpr PixToPackedFn k_bgr_ac4_uyvy_y15_p10_a = k_bgr_ac4_uyvy_y15_p10;
constexpr PackedToPixFn k_yuy_rgb_c3_i13t = g_packed_pix<false, 3, false, i13t>;
constexpr PackedToPixFn k_yuy_bgr_c3_i13r = g_packed_pix<false, 3, true, i13r>;
constexpr PackedToPixFn k_yuy_bgr_c4_i12 = g_packed_pix<false, 4, true, i12>;
constexpr PackedToPixFn k_uyvy_rgb_c3_i13r = g_packed_pix<true, 3, false, i13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r = g_packed_pix<true, 4, true, i13r>;
constexpr PackedToPixFn k_uyvy_bgr_c4_i13r_a = k_uyvy_bgr_c4_i13r;
constexpr RowPairTo420Fn k_rgb_c3_420_y12_q12 = g_rgb_c3_420_y12_q12;
constexpr RowPairTo420Fn k_bgr_c3_420_y15_q11 = g_bgr_420_y15_q11<3>;
constexpr RowPairTo420Fn k_bgr_ac4_420_y15_q11 = g_bgr_420_y15_q11<4>;
constexpr PlanesToPixFn k_p420_rgb_c3_i12 = g_sub_planes_pix<1, 3, false, i12>;
constexpr PlanesToPixFn k_p420_bgr_c3_i12 = g_sub_planes_pix<1, 3, true, i12>;
constexpr PixToPlanesFn k_bgr_c3_411_y15_q11 = g_bgr_411_y15_q11<3>;
constexpr PixToPlanesFn k_bgr_ac4_411_y15_q11 = g_bgr_411_y15_q11<4>;
}  // namespace
