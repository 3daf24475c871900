#pragma once
// The address of the bundled practice site: the default WebUrl of Config.ini and the
// default listening address of tools/practice-site.
#define PRAVIK_DEFAULT_SITE_PORT 8716
#define PRAVIK_DEFAULT_WEB_URL "http://127.0.0.1:8716"
