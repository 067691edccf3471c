// SPDX-License-Identifier: MIT
// Registers DCMTK's decoders once per process (JPEG baseline/extended/lossless, RLE, JPEG-LS)
// and dcmimage's colour models. A JPEG stream labelled RGB that really holds YCbCr, as many
// ultrasound machines send, is recognised from the stream itself (lossy JPEG only: a lossless
// stream keeps the colours it was given). Any thread; cheap after the first call.
#pragma once

namespace wr::imaging {

void RegisterDicomCodecs();

}  // namespace wr::imaging
