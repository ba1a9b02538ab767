#pragma once
#include "link/MessageTarget.h"

namespace kelp {

class CEvent;

// What a download or a file job needs of the modal progress dialog. The Qt
// dialog implements it; headless tests drive runs through a fake.
class IProgressDialog {
  public:
    virtual ~IProgressDialog() = default;
    virtual void SetTotal(int total) = 0;
    virtual void SetTitleId(int stringId) = 0;
    // The event that the cancel button (and Esc, and the close box) sets.
    virtual void SetCancelEvent(CEvent* cancel) = 0;
    // Shows the dialog modally until a WM_APP_PROGRESS code 0 or 1 arrives:
    // 1 after code 0 (finished), 2 after code 1 (failed).
    virtual int DoModal() = 0;
    // True once the dialog window exists: the download worker waits for it
    // before its first request. File jobs only post, and their messages
    // wait in the queue until the modal loop reads them.
    virtual bool IsWindowCreated() const = 0;
    // Where workers address WM_APP_PROGRESS.
    virtual IMessageTarget& Target() = 0;
};

}  // namespace kelp
