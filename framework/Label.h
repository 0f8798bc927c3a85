// A windowless text control: DrawTextW in its font and font colour, over its
// own colour or (Transparent) over whatever its parent painted beneath it.
#pragma once

#include "Control.h"

#include <string>

namespace fw {

class Label : public Control {
public:
    explicit Label(Control* owner);

    bool Transparent() const noexcept { return transparent_; }
    void SetTransparent(bool t);
    // Width and height follow the text; with WordWrap only the height does.
    bool AutoSize() const noexcept { return autoSize_; }
    void SetAutoSize(bool a);
    bool WordWrap() const noexcept { return wordWrap_; }
    void SetWordWrap(bool w);
    // "&" marks an accelerator; when false, ampersands are shown as they are.
    bool ShowAccelChar() const noexcept { return showAccelChar_; }
    void SetShowAccelChar(bool s);

    // The DrawTextW flags used both to measure and to draw the text.
    UINT TextFormat() const noexcept;
    void Paint(Canvas& canvas) override;

protected:
    void SetParent(Control* parent) override;
    void FontChanged() override;
    void TextChanged() override;

private:
    // Re-measures the text when AutoSize is set.
    void AdjustBounds();
    // The text as measured and drawn: an empty caption still has a line's height.
    std::wstring DrawnText() const;

    bool transparent_ = false;
    bool autoSize_ = true;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
};

} // namespace fw
