// Which build of the kernels a file belongs to. The kernels are compiled twice from
// the same source: Portable, with Dekker's exact products, for any x86-64; and Fma,
// with fused exact products, for processors that have fused multiply-add (chosen
// once, at the first use of the standard table). Each build's inline code lives in
// a namespace of its own, so the two never mix at link time.
#pragma once

#ifndef ZENTAVO_MATH_VARIANT
#define ZENTAVO_MATH_VARIANT Portable
#endif
