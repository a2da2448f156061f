Outline root
http://outline/
	O1
	o1.html
