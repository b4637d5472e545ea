<?xml version="1.0" encoding="windows-1251" ?>
<xsl:stylesheet xmlns:xsl="http://www.w3.org/TR/WD-xsl">
<xsl:template match="/">
<html>
<head>
<title></title>
<link rel="stylesheet" type="text/css" href=".css"/>
</head>
<body>
<xsl:apply-templates select=""/>
</body>
</html>
</xsl:template>
<xsl:template match="">
</xsl:template>
</xsl:stylesheet>
