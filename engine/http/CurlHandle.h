#pragma once

#include "TUniqueHandle.h"

#include <curl/curl.h>

// Ownership of libcurl's handles: an easy handle and a header list each belong
// to one holder that releases them when it dies.

struct CurlEasyTraits {                // curl_easy_init fails with NULL
    static CURL* Invalid() { return nullptr; }
    static void Close(CURL* handle) { curl_easy_cleanup(handle); }
};

struct CurlSlistTraits {               // curl_slist_append returns the new head, NULL on failure
    static curl_slist* Invalid() { return nullptr; }
    static void Close(curl_slist* list) { curl_slist_free_all(list); }
};

using UniqueCurl = TUniqueHandle<CurlEasyTraits>;
using UniqueCurlSlist = TUniqueHandle<CurlSlistTraits>;
