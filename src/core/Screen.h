#pragma once

// The ten pages of the window's page control; the active page is the current screen.
struct Screen {
    enum Index : int {
        MP3Album = 0,     // now playing
        MP3Directory = 1, // MP3 list
        MP3Start = 2,     // main menu
        Settings = 3,     // options
        Video_Play = 4,
        Vide_select = 5,  // video list
        Radar = 6,        // POI
        media_select = 7, // media choice
        Log_select = 8,   // drivers log
        SetLog = 9,       // map
        Count = 10
    };
};
