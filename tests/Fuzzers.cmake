# The fuzz targets, one per reader of untrusted input, beside the tests of the
# library that reader belongs to (tests/<Folder>/Fuzz/). Built with
# -DLF_FUZZ=ON; tools/fuzz.sh knows each target's seeds.
set(fuzz_dir "${CMAKE_CURRENT_LIST_DIR}")

# What every target links: the temporary data root of the targets that take
# their input as a file, and the default application maker for the libraries
# that name one (taken from the archive as the test executables take it).
add_library(fuzz_support STATIC "${fuzz_dir}/Support/TempFolder.cpp" "${fuzz_dir}/Support/NoApplication.cpp")
target_link_libraries(fuzz_support PUBLIC core_base)
target_link_options(fuzz_support INTERFACE "LINKER:--undefined=_ZN3app17CreateApplicationEv")

lf_add_fuzzer(psd_fuzzer SOURCES "${fuzz_dir}/Psd/Fuzz/PsdFuzzer.cpp" DEPENDS psd)
lf_add_fuzzer(text_fuzzer SOURCES "${fuzz_dir}/Core/Base/Fuzz/TextConversionFuzzer.cpp" DEPENDS core_base)
lf_add_fuzzer(pack_fuzzer SOURCES "${fuzz_dir}/Core/File/Fuzz/PackFuzzer.cpp" DEPENDS core_file)
lf_add_fuzzer(profiles_fuzzer SOURCES "${fuzz_dir}/Core/File/Fuzz/ProfilesFuzzer.cpp" DEPENDS core_file)
lf_add_fuzzer(layers_fuzzer SOURCES "${fuzz_dir}/Core/File/Fuzz/LayerFolderFuzzer.cpp" DEPENDS core_file)
lf_add_fuzzer(sound_sheet_fuzzer SOURCES "${fuzz_dir}/Core/Sound/Fuzz/SoundSheetFuzzer.cpp" DEPENDS core_sound)
lf_add_fuzzer(catalogue_fuzzer SOURCES "${fuzz_dir}/Core/Purchase/Fuzz/CatalogueFuzzer.cpp" DEPENDS core_purchase)
lf_add_fuzzer(font_fuzzer SOURCES "${fuzz_dir}/Core/Render/Fuzz/BMFontFuzzer.cpp" DEPENDS core_render)
lf_add_fuzzer(dds_fuzzer SOURCES "${fuzz_dir}/Core/Render/Fuzz/DdsFuzzer.cpp" DEPENDS core_render)
lf_add_fuzzer(particles_fuzzer SOURCES "${fuzz_dir}/Platform/Particles/Fuzz/ParticleFileFuzzer.cpp" DEPENDS platform_particles)
lf_add_fuzzer(anim_fuzzer SOURCES "${fuzz_dir}/Core/Animation/Fuzz/AnimDataFuzzer.cpp" DEPENDS core_animation)
lf_add_fuzzer(mesh_fuzzer SOURCES "${fuzz_dir}/Core/Animation/Fuzz/MeshLibraryFuzzer.cpp" DEPENDS core_animation)
lf_add_fuzzer(game_xml_fuzzer SOURCES "${fuzz_dir}/Core/Widget/Fuzz/GameXmlFuzzer.cpp" DEPENDS core_widget)
lf_add_fuzzer(shader_fuzzer SOURCES "${fuzz_dir}/Platform/Fuzz/ShaderCompilerFuzzer.cpp" DEPENDS platform)
lf_add_fuzzer(game_text_fuzzer SOURCES "${fuzz_dir}/Game/Fuzz/GameTextFuzzer.cpp" DEPENDS game)
