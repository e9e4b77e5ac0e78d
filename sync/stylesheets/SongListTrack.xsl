<?xml version="1.0"?>
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
    xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
    xmlns:rs="urn:schemas-microsoft-com:rowset"
    xmlns:z="#RowsetSchema"
    exclude-result-prefixes="s dt rs z">
<!-- The document of a playlist, from the playlist detail rows in play order. Each track names its
     album by the album's device reference and the track number after ";track=". -->
<xsl:output method="xml" indent="yes" version="1.0" doctype-system="http://www.corvane.com/vireo/songlistinfo.dtd"/>

<!-- The detail rows repeat a group on every track row: each live group link is written once,
     from the first row that carries its name. -->
<xsl:key name="group" match="z:row[@DeleteGroup = 'False'][@GroupName != '']" use="@GroupName"/>
<xsl:key name="track" match="z:row[@DeleteTrack = 'False'][@AlbumTrackID]" use="@AlbumTrackID"/>

<xsl:variable name="rows" select="/xml/rs:data/z:row"/>
<xsl:variable name="first" select="$rows[1]"/>

<xsl:template match="/">
  <songlistinfo href="{$first/@REDUZIDedaDora}">
    <title><xsl:value-of select="$first/@PlaylistName"/></title>
    <coverart><xsl:value-of select="$first/@ZUVUdureDaz"/></coverart>
    <xsl:for-each select="$rows[@DeleteGroup = 'False'][@GroupName != ''][generate-id() = generate-id(key('group', @GroupName)[1])]">
      <group><xsl:value-of select="@GroupName"/></group>
    </xsl:for-each>
    <!-- The number is the track's place in the list, not its number on the album. -->
    <xsl:for-each select="$rows[@DeleteTrack = 'False'][@AlbumTrackID][generate-id() = generate-id(key('track', @AlbumTrackID)[1])]">
      <track number="{position()}" length="{@TrackLength}" href="{@VUDUradUzaz}" meta="{concat(@AlbumHREF, ';track=', @TrackNumber)}"><xsl:value-of select="@TrackTitle"/></track>
    </xsl:for-each>
  </songlistinfo>
</xsl:template>

</xsl:stylesheet>
