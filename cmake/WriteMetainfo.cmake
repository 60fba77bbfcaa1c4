# Writes the software-centre (AppStream) entry from its template. Included by
# the install rules, and run by the packaging test with a screenshot address
# of its own:
#   cmake -DMETAINFO_TEMPLATE=... -DMETAINFO_OUT=... -DGONIOMA_APP_ID=...
#         -DPROJECT_VERSION=... -DGONIOMA_RELEASE_DATE=... [-DSCREENSHOT_URL=...]
#         -P WriteMetainfo.cmake
# The screenshot is named only when its published address is given.
set(GONIOMA_SCREENSHOTS "")
if(SCREENSHOT_URL)
  string(REPLACE "&" "&amp;" url "${SCREENSHOT_URL}")
  string(REPLACE "<" "&lt;" url "${url}")
  set(GONIOMA_SCREENSHOTS "  <screenshots>
    <screenshot type=\"default\">
      <caption>The main menu with its exercises</caption>
      <caption xml:lang=\"it\">Il menu principale con le esercitazioni</caption>
      <image>${url}</image>
    </screenshot>
  </screenshots>")
endif()
configure_file(${METAINFO_TEMPLATE} ${METAINFO_OUT} @ONLY)
