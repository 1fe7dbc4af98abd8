target_sources(raruva_launcher PRIVATE
  ui/custom_message_box.cpp
  ui/gdiplus_drawing.cpp
  ui/my_mem_dc.cpp
  ui/png_resource.cpp
  ui/touch_button.cpp)
