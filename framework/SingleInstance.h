// One running copy of the program per user session. The first start holds a
// named mutex for its whole life; a later start asks the first one to show
// itself and ends without a window of its own.
#pragma once

#include "Handles.h"

namespace fw {

class SingleInstance {
public:
    // name: the mutex's name in the session's namespace.
    explicit SingleInstance(const wchar_t* name);

    // True unless another copy in this session holds the name. A name that
    // cannot be made at all lets this copy run: two windows are better than none.
    bool First() const noexcept { return first_; }

    // Asks the first copy's application to show itself (restored if it was
    // minimised, brought to the front). Waits a few seconds for its window, as
    // both copies may have been started at once.
    void ShowFirst() const;

private:
    UniqueKernelObject mutex_;
    bool first_ = true;
};

} // namespace fw
