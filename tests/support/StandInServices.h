#pragma once

#include "app/Services.h"

// The window's platform services for tests, screenshots and benchmarks: each member the
// caller left empty gets an inert stand-in that notes what it is asked (ports that log
// their requests on COM1 and COM3, sounds, films, power and gamma that record, an audio
// player that follows a script, a clock that stands until set).
Services standInServices(Services given = {});
