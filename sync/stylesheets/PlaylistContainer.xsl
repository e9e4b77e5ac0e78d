<?xml version="1.0"?>
<xsl:stylesheet version="1.0"
    xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:s="uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882"
    xmlns:dt="uuid:C2F41010-65B3-11d1-A29F-00AA00C14882"
    xmlns:rs="urn:schemas-microsoft-com:rowset"
    xmlns:z="#RowsetSchema"
    exclude-result-prefixes="s dt rs z">
<!-- The list of playlists to remove from the device, one item per deleted playlist. -->
<xsl:output method="xml" indent="yes" version="1.0"/>

<xsl:template match="/">
  <container>
    <xsl:for-each select="xml/rs:data/z:row">
      <item>
        <xsl:attribute name="label"><xsl:number count="z:row"/></xsl:attribute>
        <ref href="{@REDUZIDedaDora}" primarykey="Playlist" secondarykey="{@PlaylistName}"/>
      </item>
    </xsl:for-each>
  </container>
</xsl:template>

</xsl:stylesheet>
