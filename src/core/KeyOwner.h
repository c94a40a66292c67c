#pragma once

#include <cstddef>

// Who takes the command keys: a screen's or an overlay's key context. The dispatcher
// hands every key to the handler registered for the owner the navigator names.
enum class KeyOwner {
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
inline constexpr std::size_t KeyOwnerCount = std::size_t(KeyOwner::None);

// The panels that show over a screen and take its keys while they show.
enum class Overlay { MovieOptions, DirAction, Filter, Mp3Options, Count };
