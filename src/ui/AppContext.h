#pragma once
// What the windows of one run share. The application owns every object; the
// windows hold this by reference. Tests build their own.

#include "catalog/MailPresets.h"
#include "catalog/OperatorCatalog.h"
#include "catalog/Views.h"
#include "codec/TextCodec.h"
#include "profile/CustomOperators.h"
#include "profile/ProfileRecord.h"
#include "store/ProfileFiles.h"
#include "ui/Prompter.h"

namespace halvorn::ui {

struct AppContext {
    ProfileRecord& record;
    const TextCodec& codec;
    Prompter& prompter;
    ProfileFiles& files;
    CustomOperators& customOperators;
    const OperatorCatalog& catalog;
    MailPresets& mailPresets;
    const Views& views;
};

// What the main window needs of the frame that hosts it.
class FrameAccess {
public:
    virtual ~FrameAccess() = default;
    // The page code the save writes into profileKind; always 2.
    virtual int pageCode() const = 0;
    // Ends the frame's modal run with the cancel result.
    virtual void endWithCancel() = 0;
};

} // namespace halvorn::ui
