#!/usr/bin/python3
"""Adds layer effects and an adjustment to a layered PSD file written by GIMP,
through psd-tools' own writers: the old-style effects block ('lrFX') and the
descriptor-based one ('lfx2') on the first layer named "Inner...", and a
brightness/contrast block on the layer named "Top", which makes it an
adjustment layer. Usage: add-effects.py source.psd target.psd"""
import sys

from psd_tools.constants import BlendMode, EffectOSType, Tag
from psd_tools.psd import PSD
from psd_tools.psd.adjustments import BrightnessContrast
from psd_tools.psd.color import Color
from psd_tools.psd.descriptor import Bool, Descriptor, DescriptorBlock2, Double, Enumerated, UnitFloat
from psd_tools.psd.effects_layer import CommonStateInfo, EffectsLayer, ShadowInfo
from psd_tools.psd.tagged_blocks import TaggedBlock
from psd_tools.terminology import Unit


def rgb(red, green, blue):
    color = Descriptor(classID=b'RGBC')
    color[b'Rd  '] = Double(red)
    color[b'Grn '] = Double(green)
    color[b'Bl  '] = Double(blue)
    return color


def drop_shadow():
    shadow = Descriptor(classID=b'DrSh')
    shadow[b'enab'] = Bool(True)
    shadow[b'Md  '] = Enumerated(typeID=b'BlnM', enum=b'Mltp')
    shadow[b'Clr '] = rgb(10, 20, 30)
    shadow[b'Opct'] = UnitFloat(unit=Unit.Percent, value=60.0)
    shadow[b'uglg'] = Bool(False)
    shadow[b'lagl'] = UnitFloat(unit=Unit.Angle, value=135.0)
    shadow[b'Dstn'] = UnitFloat(unit=Unit.Pixels, value=7.0)
    shadow[b'Ckmt'] = UnitFloat(unit=Unit.Pixels, value=2.0)
    shadow[b'blur'] = UnitFloat(unit=Unit.Pixels, value=9.0)
    shadow[b'layerConceals'] = Bool(True)
    return shadow


def color_overlay():
    overlay = Descriptor(classID=b'SoFi')
    overlay[b'enab'] = Bool(True)
    overlay[b'Md  '] = Enumerated(typeID=b'BlnM', enum=b'Nrml')
    overlay[b'Opct'] = UnitFloat(unit=Unit.Percent, value=100.0)
    overlay[b'Clr '] = rgb(200, 100, 50)
    return overlay


def effects_descriptor():
    effects = DescriptorBlock2(version=0, classID=b'null')
    effects[b'Scl '] = UnitFloat(unit=Unit.Percent, value=100.0)
    effects[b'masterFXSwitch'] = Bool(True)
    effects[b'DrSh'] = drop_shadow()
    effects[b'SoFi'] = color_overlay()
    return effects


def legacy_effects():
    shadow = ShadowInfo(version=2, blur=9, intensity=2, angle=135, distance=7,
                        color=Color(values=[10 * 257, 20 * 257, 30 * 257, 0]),
                        blend_mode=BlendMode.MULTIPLY, enabled=1, use_global_angle=0, opacity=153,
                        native_color=Color(values=[10 * 257, 20 * 257, 30 * 257, 0]))
    return EffectsLayer(version=0, items=[(EffectOSType.COMMON_STATE, CommonStateInfo(version=0, visible=1)), (EffectOSType.DROP_SHADOW, shadow)])


def main():
    source, target = sys.argv[1], sys.argv[2]
    with open(source, 'rb') as f:
        psd = PSD.read(f)
    for record in psd.layer_and_mask_information.layer_info.layer_records:
        if record.name.startswith('Inner'):
            record.tagged_blocks[Tag.EFFECTS_LAYER] = TaggedBlock(key=Tag.EFFECTS_LAYER, data=legacy_effects())
            record.tagged_blocks[Tag.OBJECT_BASED_EFFECTS_LAYER_INFO] = TaggedBlock(
                key=Tag.OBJECT_BASED_EFFECTS_LAYER_INFO, data=effects_descriptor())
        elif record.name == 'Top':
            record.tagged_blocks[Tag.BRIGHTNESS_AND_CONTRAST] = TaggedBlock(
                key=Tag.BRIGHTNESS_AND_CONTRAST, data=BrightnessContrast(brightness=20, contrast=65526, mean=127))
    with open(target, 'wb') as f:
        psd.write(f)


main()
