target_sources(raruva_launcher PRIVATE
  update/download.cpp
  update/hand_over.cpp
  update/update_http.cpp
  update/version_check.cpp)
