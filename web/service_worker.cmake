# Writes the service worker with the digest of the files it keeps, so that every build that
# changes any of them gets a cache of its own. Run with -DSITE=... -DSOURCE=... -DVERSION=...
set(digests "")
foreach(name index.html orvane.css page.js orvane.js orvane.wasm orvane.data
        manifest.webmanifest)
  file(SHA256 ${SITE}/${name} digest)
  string(APPEND digests ${digest})
endforeach()
string(SHA256 whole "${digests}")
string(SUBSTRING ${whole} 0 16 ORVANE_BUILD_DIGEST)
set(ORVANE_VERSION ${VERSION})
configure_file(${SOURCE} ${SITE}/service_worker.js @ONLY)
