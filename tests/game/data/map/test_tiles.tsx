<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="test_tiles" tilewidth="16" tileheight="16" tilecount="128" columns="16">
 <image source="../../images/mapchip/mapchip_stage01.png" width="256" height="128"/>
</tileset>
