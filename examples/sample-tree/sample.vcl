My Favorite Websites

	International websites
	
		Microsoft Corporation
		https://www.microsoft.com/
		Oracle Corporation
		https://www.oracle.com/
		CNET: technology news and reviews
		https://www.cnet.com/
		ZDNET: technology news
		https://www.zdnet.com/
		Adobe Inc.
		https://www.adobe.com/
		Yahoo! directory and portal
		https://www.yahoo.com/
		Tim Berners-Lee's home page
		https://www.w3.org/People/Berners-Lee/
	Chinese websites
	
		新华网：新闻中心
		http://www.xinhuanet.com/
		新浪网
		https://www.sina.com.cn/
		搜狐
		https://www.sohu.com/
		网易
		https://www.163.com/
		腾讯网
		https://www.qq.com/
	Sites within Shanghai Online VIP users' reach
	
		Shanghai Online Computer Weekly
		http://computer.online.sh.cn/
		Shanghai Online Information Service
		http://info.online.sh.cn/
		Shanghai Online
		http://www.online.sh.cn/
