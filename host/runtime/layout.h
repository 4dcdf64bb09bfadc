#pragma once

// Window layouts as data: a window's own settings and its ordered list of
// units, each with a type, a parent, a rectangle, initial values and the
// events that have handlers. The runtime builds widgets from these.

#include "host/values/text.h"

#include <array>
#include <compare>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace host {

/// Identifies a window among the program's windows.
struct WindowId
{
    int value = 0;
    friend constexpr auto operator<=>(const WindowId&, const WindowId&) = default;
};

/// A unit of a window; unit 0 is the window itself. A window's unit list
/// declares each unit once, with its number and its layout name; the name
/// takes no part in telling units apart.
struct UnitRef
{
    WindowId window;
    int unit = 0;
    const char* name = nullptr;
    friend constexpr bool operator==(const UnitRef& a, const UnitRef& b)
    {
        return a.window == b.window && a.unit == b.unit;
    }
    friend constexpr auto operator<=>(const UnitRef& a, const UnitRef& b)
    {
        return a.window != b.window ? a.window <=> b.window : a.unit <=> b.unit;
    }
};

enum class UnitType { Window, Menu, EditBox, GroupBox, Label, Button, CheckBox, RadioBox, ComboBox, Spin, CommonDlg, Timer, ListView };

/// Property numbers. Numbers 0-7 are common to every unit but menu items;
/// type-specific numbers overlap between types.
namespace prop {
inline constexpr int left = 0;
inline constexpr int top = 1;
inline constexpr int width = 2;
inline constexpr int height = 3;
inline constexpr int tag = 4;
inline constexpr int visible = 5;
inline constexpr int disabled = 6;
inline constexpr int mousePointer = 7;
inline constexpr int caption = 8;       // window, label, button, check box, radio box, group box
inline constexpr int content = 8;       // edit box, combo box
inline constexpr int interval = 8;      // timer
inline constexpr int checked = 18;      // check box, radio box
inline constexpr int alwaysOnTop = 29;  // window
inline constexpr int currentRow = 35;   // list
inline constexpr int dialogType = 8;    // common dialog
inline constexpr int title = 9;
inline constexpr int fileName = 10;
inline constexpr int filter = 11;
inline constexpr int filterIndex = 12;
inline constexpr int initialDirectory = 13;
inline constexpr int defaultExtension = 14;
} // namespace prop

/// Property numbers of menu items, which have no common properties.
namespace menuProp {
inline constexpr int caption = 0;
inline constexpr int checked = 1;
inline constexpr int disabled = 2;
inline constexpr int visible = 3;
} // namespace menuProp

/// Event numbers.
namespace event {
inline constexpr int created = 0;         // window
inline constexpr int closeRequested = 1;  // window
inline constexpr int destroying = 2;      // window
inline constexpr int tick = 0;            // timer
inline constexpr int clicked = 0;         // button, check box, radio box
inline constexpr int arrowPressed = 0;    // spin: argument +1 up, -1 down
inline constexpr int rightClicked = 5;    // list
inline constexpr int chosen = 0;          // menu item
} // namespace event

struct Rect
{
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

struct Color
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

/// Stands for the system's button-face (dialog) colour, which the toolkit's palette decides.
inline constexpr Color kButtonFace{-1, -1, -1};

struct Font
{
    Text face;
    int height = 0;  // character height in pixels
    bool bold = false;
};

enum class HorizontalAlignment { Left, Center, Right };

/// A handler bound to one event of one unit; the argument is the event's
/// integer argument (the spin's step), 0 for events without one.
struct EventBinding
{
    int event = 0;
    std::function<void(int argument)> handler;
};

struct ListColumn
{
    Text header;
    int width = 0;
};

/// Open-file dialog options the layout fixes.
struct DialogOptions
{
    bool hideReadOnly = false;
    bool fileMustExist = false;
    bool pathMustExist = false;
    bool overwritePrompt = false;
};

/// One unit of a window layout. Fields that do not apply to the type are ignored.
struct UnitLayout
{
    UnitRef ref;  // with its layout name, for widgets' object names and diagnostics
    UnitType type = UnitType::Label;
    int parent = 0;    // the containing unit (a group box, or the menu of an item); 0 = the window
    Rect rect;
    bool visible = true;
    bool disabled = false;
    bool tabStop = false;

    Text text;  // caption, content or initial selection text
    Text accessibleName;  // what a screen reader calls a unit that shows no text of its own
    std::optional<Font> font;
    std::optional<Color> textColor;
    std::optional<Color> backgroundColor;
    std::optional<std::array<Color, 3>> shading;  // labels: a horizontal three-stop ramp
    HorizontalAlignment alignment = HorizontalAlignment::Left;
    bool verticallyCentred = true;

    bool readOnly = false;      // edit box
    bool multiLine = false;     // edit box
    bool integerInput = false;  // edit box
    bool border = true;         // edit box
    bool checked = false;       // check box, radio box
    int interval = 0;           // timer, ms
    std::vector<ListColumn> columns;  // list
    std::vector<Text> items;          // combo box
    // Common dialog settings.
    int dialogType = 0;
    Text title;
    Text filter;
    int filterIndex = 0;
    DialogOptions dialogOptions;

    std::vector<EventBinding> events;

    const char* name() const { return ref.name ? ref.name : ""; }
};

/// A top-level window: its own settings, then its units in the order of its
/// unit list (unit n of the window is units[n - 1]).
struct WindowLayout
{
    WindowId id;
    std::string name;
    Text caption;
    int outerWidth = 0;   // including the nominal frame
    int outerHeight = 0;
    int left = 0;         // used unless centred
    int top = 0;
    bool centred = true;
    bool minimiseButton = false;
    bool alwaysOnTop = false;
    bool visible = true;
    bool alert = false;  // opens to tell the user something: a screen reader announces it as it does a message box
    std::string iconResource;  // a Qt resource path, or empty for none
    std::vector<UnitLayout> units;
    std::vector<EventBinding> events;  // the window's own events
};

/// The nominal window frame: the client area is the outer size less these.
inline constexpr int kFrameSide = 3;
inline constexpr int kTitleBar = 26;

} // namespace host
