// The work the preview worker runs: fills the preview's data store from a
// repaired model page by page, checking PreviewStop between pages.
#pragma once

class IPreviewFill {
public:
    virtual ~IPreviewFill() = default;
    virtual void Fill() = 0;
};
