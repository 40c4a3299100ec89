# The toolkit library: portable controls in every tree, the window layer in the
# Windows trees.
set(TALLOW_TOOLKIT_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
tallow_library(tallow_toolkit
    SOURCES
        controls/Button.cpp
        controls/CheckBox.cpp
        controls/Containers.cpp
        controls/Control.cpp
        controls/Application.cpp
        controls/Form.cpp
        controls/Gauge.cpp
        controls/Geometry.cpp
        controls/ImageCodec.cpp
        controls/Label.cpp
        controls/Menu.cpp
        controls/MessageLogic.cpp
        controls/Mnemonic.cpp
        controls/Palette.cpp
        controls/Peer.cpp
        controls/PngForm.cpp
        controls/PngImage.cpp
        controls/SkinFrame.cpp
        controls/SkinMessage.cpp
        controls/TextMeasure.cpp
        controls/Timer.cpp
    WIN32_SOURCES
        win/Canvas_win.cpp
        win/ControlWindow_win.cpp
        win/FormWindow_win.cpp
        win/PictureWindow_win.cpp
        win/Toolkit_win.cpp
        win/WindowBase_win.cpp
    LIBS tallow_components tallow_png tallow_skin
    WIN32_LIBS gdi32 user32 shell32 msimg32 comctl32)
