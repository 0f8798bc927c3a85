// The launcher window's layout facts: where every control sits, which pictures it shows, and
// what the info line says. Plain data without <windows.h>, so that the launcher itself, the
// artwork generator, the artwork checks and the benchmarks read one copy; the end-to-end tests
// read it through launcher-layout.json, which tools/layoutjson writes from this header.
// Lengths are pixels at 96 dpi; colours are 0xBBGGRR.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace ui::layout {

struct Bounds {
    int left, top, width, height;
};

struct Point {
    int x, y;
};

inline constexpr char kWindowText[] = "Orvalis"; // not drawn: the frame has no title bar
inline constexpr int kClientWidth = 444;
inline constexpr int kClientHeight = 217;

// The skin control: the window's first child, below every other control.
struct SkinLayout {
    const char* name;
    Bounds bounds;
    const char* resource; // bitmap resource
    const char* file;     // below resources/
    std::uint32_t transparentColor;
};
inline constexpr SkinLayout kSkin{"SkinFormMain", {0, 0, 444, 217}, "SKIN", "skin.bmp", 0xFF00FF};

// The info line: a shadow pair of labels that always hold the same text; the width follows it.
struct LabelLayout {
    const char* name;
    int left, top;
    std::uint32_t color;
};
inline constexpr LabelLayout kInfoLabels[] = {
    {"LabelInfo2", 17, 161, 0xFFFFFF}, // the shadow, drawn first
    {"LabelInfo1", 16, 160, 0x2C2C2D},
};
inline constexpr int kInfoLabelHeight = 13;
inline constexpr char kWelcome[] = "Welcome to Orvalis!";

// Picture states, in the order an image button holds them.
enum class PictureState { Normal, Hover, Pressed };
inline constexpr PictureState kPictureStates[] = {PictureState::Normal, PictureState::Hover,
                                                  PictureState::Pressed};

constexpr const char* ResourceSuffix(PictureState s) {
    return s == PictureState::Normal ? "NORMAL" : s == PictureState::Hover ? "HOVER" : "PRESSED";
}
constexpr const char* FileSuffix(PictureState s) {
    return s == PictureState::Normal ? "normal" : s == PictureState::Hover ? "hover" : "pressed";
}

// Title buttons bring their own background and have no pressed picture (held down they show
// the normal one); the large and bottom buttons stand on the skin.
enum class ButtonKind { Title, Large, Bottom };

struct ButtonLayout {
    const char* name; // also the stem of its picture files: buttons/<name>.<state>.bmp
    Bounds bounds;
    int tabOrder;
    ButtonKind kind;
    const char* resource;       // the stem of its picture resources: <resource>_<STATE>
    const char* accessibleName; // what the button says to assistive technology
    const char* hoverText;      // the info line's text while the mouse is on it; null: no change

    constexpr bool HasPicture(PictureState s) const {
        return s != PictureState::Pressed || kind != ButtonKind::Title;
    }
    std::string PictureResource(PictureState s) const {
        return std::string(resource) + "_" + ResourceSuffix(s);
    }
    std::string PictureFile(PictureState s) const {
        return std::string("buttons/") + name + "." + FileSuffix(s) + ".bmp";
    }
};

// In creation order; where two overlap, the later lies on top.
inline constexpr ButtonLayout kButtons[] = {
    {"ButtonMin", {372, 7, 29, 19}, 0, ButtonKind::Title, "BUTTONMIN", "Minimize", nullptr},
    {"ButtonClose2", {399, 7, 30, 19}, 1, ButtonKind::Title, "BUTTONCLOSE2", "Close", nullptr},
    {"ButtonDataCDDVD",
     {20, 40, 99, 108},
     2,
     ButtonKind::Large,
     "BUTTONDATACDDVD",
     "Data CD/DVD",
     "Create a data CD/DVD/Blu-ray Disc which can be used to save all types of files/folders"},
    {"ButtonVCDDVDVideo",
     {121, 40, 99, 108},
     3,
     ButtonKind::Large,
     "BUTTONVCDDVDVIDEO",
     "VCD/DVD-Video",
     "Create a high quality VCD/SVCD/DVD-Video from your video/DVD-Video file structures"},
    {"ButtonAudioCD",
     {225, 40, 99, 108},
     4,
     ButtonKind::Large,
     "BUTTONAUDIOCD",
     "Audio CD",
     "Create a standard Audio CD which will play on all audio CD players."},
    {"ButtonMoreTools",
     {323, 40, 99, 108},
     5,
     ButtonKind::Large,
     "BUTTONMORETOOLS",
     "More Tools",
     "Disc Eraser, Device Info, ISO Builder, ISO Burner, ISO Grabber..."},
    {"ButtonHelp", {54, 182, 82, 33}, 6, ButtonKind::Bottom, "BUTTONHELP", "Help", nullptr},
    {"ButtonAbout", {136, 182, 79, 33}, 7, ButtonKind::Bottom, "BUTTONABOUT", "About", nullptr},
    {"ButtonHome", {215, 182, 78, 33}, 8, ButtonKind::Bottom, "BUTTONHOME", "Home", nullptr},
};

// The button of that name; a name not in the table is a build error where it is constant.
constexpr const ButtonLayout& Button(std::string_view name) {
    for (const ButtonLayout& b : kButtons) {
        if (name == b.name) {
            return b;
        }
    }
    throw "no launcher button of that name";
}

// The keyboard's focus cue on every picture button: a two-pixel ring of the product's red with a
// white line inside it and rounded corners, inset by the buttons' focus margin (2), so that it
// stays within the button's own bounds and clear of the neighbour that covers its edge.
struct FocusCueLayout {
    std::uint32_t outer, inner;
    int outerWidth;
    int radius;
};
inline constexpr FocusCueLayout kFocusCue{0x1A03DF, 0xFFFFFF, 2, 4};

// The large buttons' pressed picture is the hover picture moved left and down, except its
// last rows, which stay in place.
inline constexpr int kPressedFixedRows = 9;

// A drop-down menu opens with its top-left corner at its button's lower-left corner (the
// window has no border, so client and window coordinates agree).
struct MenuLayout {
    const char* name;
    const char* button;
};
inline constexpr MenuLayout kMenus[] = {
    {"PopupMenuAudioCD", "ButtonAudioCD"},
    {"PopupMenuMoreTools", "ButtonMoreTools"},
};
constexpr Point DropPoint(const ButtonLayout& button) {
    return {button.bounds.left, button.bounds.top + button.bounds.height};
}

} // namespace ui::layout
