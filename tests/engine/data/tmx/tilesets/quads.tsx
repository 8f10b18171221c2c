<?xml version="1.0" encoding="UTF-8"?>
<tileset version="1.10" tiledversion="1.10.2" name="quads" tilewidth="8" tileheight="8" tilecount="4" columns="2">
 <image source="../quads.png" width="16" height="16"/>
 <tile id="2">
  <properties>
   <property name="solid" type="bool" value="true"/>
  </properties>
 </tile>
</tileset>
