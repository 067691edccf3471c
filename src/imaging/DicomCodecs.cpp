// SPDX-License-Identifier: MIT
#include "DicomCodecs.h"
#include <mutex>
#include <dcmtk/config/osconfig.h>
#include <dcmtk/dcmdata/dcrledrg.h>
#include <dcmtk/dcmimage/diregist.h>  // the colour models of DicomImage
#include <dcmtk/dcmjpeg/djdecode.h>
#include <dcmtk/dcmjpls/djdecode.h>
#include <dcmtk/oflog/oflog.h>

namespace wr::imaging {

void RegisterDicomCodecs()
{
    static std::once_flag once;
    std::call_once(once, [] {
        // DCMTK's own logging would write to stderr beside ours; its errors reach us as
        // conditions and statuses, which we log with their context.
        OFLog::configure(OFLogger::FATAL_LOG_LEVEL);
        DJDecoderRegistration::registerCodecs(EDC_guessLossyOnly);
        DcmRLEDecoderRegistration::registerCodecs();
        DJLSDecoderRegistration::registerCodecs();
    });
}

}  // namespace wr::imaging
