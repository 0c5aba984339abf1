# Writes the service worker with a digest of the built site in its cache's
# name, so every build is cached as one consistent snapshot.
# -DSOURCE=sw.js template -DSITE=site folder -DFILES=a,b,...
string(REPLACE "," ";" FILES "${FILES}")
set(digest_input "")
foreach(name ${FILES})
  file(SHA256 ${SITE}/${name} one)
  string(APPEND digest_input "${name}:${one};")
endforeach()
string(SHA256 digest "${digest_input}")
string(SUBSTRING ${digest} 0 16 digest)
file(READ ${SOURCE} worker)
string(REPLACE "@SITE_DIGEST@" "${digest}" worker "${worker}")
file(WRITE ${SITE}/sw.js.tmp "${worker}")
file(RENAME ${SITE}/sw.js.tmp ${SITE}/sw.js)
