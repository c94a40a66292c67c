#pragma once

#include "app/KeyContext.h"

#include <array>
#include <functional>

class ScreenHost;

// FormKeyDown: turns every command key into the action of the screen and overlay now
// showing. The first context of the fixed order that applies decides.
class Dispatcher {
public:
    enum class Context {
        VideoPlaying,
        VideoOptions,
        DriversLog,
        Map,
        MediaChoice,
        VideoList,
        Poi,
        Mp3List,
        LetterPanel,
        ActionPanel,
        Mp3Options,
        NowPlaying,
        MainMenu,
        Options,
        None,
    };
    enum class Overlay { MovieOptions, DirAction, Filter, Mp3Options, Count };

    explicit Dispatcher(const ScreenHost &screens);

    void setHandler(Context context, KeyContext *handler);
    // Whether an overlay panel is showing; an overlay without a probe is hidden.
    void setOverlayProbe(Overlay overlay, std::function<bool()> probe);

    Context context() const;

    // Key is folded in place (Enter, Space, Alt, Ctrl), then dispatched. Never throws.
    void FormKeyDown(quint16 &key);
    void FormMouseWheelDown();
    void FormMouseWheelUp();

private:
    bool visible(Overlay overlay) const;

    const ScreenHost &m_screens;
    std::array<KeyContext *, size_t(Context::None)> m_handlers{};
    std::array<std::function<bool()>, size_t(Overlay::Count)> m_probes{};
};
